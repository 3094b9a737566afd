#include "platform/PrivateTemporaryFile.h"

#include "platform/FileWriteFailure.h"
#include "platform/PlatformFailure.h"

namespace {

constexpr int kFileAccessError = 75;

}  // namespace

PrivateTemporaryFile::PrivateTemporaryFile(const QString& fileName) {
  file_.setFileName(folder_.FilePath(fileName));
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) Fail();
}

PrivateTemporaryFile::~PrivateTemporaryFile() { file_.close(); }

void PrivateTemporaryFile::Write(const std::string& bytes) {
  if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
    FailWriting();
}

void PrivateTemporaryFile::ReopenForReading() {
  if (!file_.flush()) FailWriting();
  file_.close();
  if (!file_.open(QIODevice::ReadOnly)) Fail();
}

std::string PrivateTemporaryFile::Read(qint64 position, qint64 length) {
  if (!file_.seek(position)) Fail();
  std::string bytes(static_cast<size_t>(length), '\0');
  if (file_.read(bytes.data(), length) != length) Fail();
  return bytes;
}

void PrivateTemporaryFile::FailWriting() {
  throw PlatformFailure(PlatformError{kFileAccessError, WriteFailureReason(file_)});
}

void PrivateTemporaryFile::Fail() const {
  throw PlatformFailure(PlatformError{kFileAccessError, file_.errorString()});
}
