#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include <QtGlobal>

#include "platform/PlatformError.h"

// Bytes read in order from their start: a file, or bytes in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // How many bytes there are from the start to the end.
  virtual qint64 Size() const = 0;

  // Copies up to size of the next bytes into buffer and returns how many;
  // 0 at the end, -1 on a failure (error says which).
  virtual qint64 Read(char* buffer, qint64 size, PlatformError& error) = 0;
};

class BytesInMemory : public ByteSource {
 public:
  explicit BytesInMemory(const std::string& bytes) : bytes_(bytes) {}

  qint64 Size() const override { return static_cast<qint64>(bytes_.size()); }

  qint64 Read(char* buffer, qint64 size, PlatformError&) override {
    const size_t count = std::min(static_cast<size_t>(size), bytes_.size() - next_);
    std::memcpy(buffer, bytes_.data() + next_, count);
    next_ += count;
    return static_cast<qint64>(count);
  }

 private:
  const std::string& bytes_;
  size_t next_ = 0;
};
