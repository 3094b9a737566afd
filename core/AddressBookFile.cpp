#include "core/AddressBookFile.h"

#include <cstring>

#include "core/DocumentCodec.h"
#include "platform/FileSystem.h"

namespace {

constexpr size_t kMagicSize = 10;
const char* const kMagics[] = {kDataFileMagic};

}  // namespace

bool StartsAsAddressBook(const std::string& bytes) {
  if (bytes.size() < kMagicSize) return false;
  for (const char* magic : kMagics)
    if (std::memcmp(bytes.data(), magic, kMagicSize) == 0) return true;
  return false;
}

bool IsAddressBookFile(const QString& path) { return StartsAsAddressBook(FirstBytesOf(path, kMagicSize)); }
