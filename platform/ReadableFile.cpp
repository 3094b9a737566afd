#include "platform/ReadableFile.h"

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace {

constexpr qint64 kDigestChunk = 1 << 20;

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::Regular;
  if (S_ISDIR(mode)) return FileKind::Folder;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::Device;
  if (S_ISFIFO(mode)) return FileKind::Pipe;
  if (S_ISSOCK(mode)) return FileKind::Socket;
  return FileKind::Other;
}

qint64 NanosecondsOf(const timespec& time) { return qint64{time.tv_sec} * 1000000000 + time.tv_nsec; }

ReadableFile::Opening Failure(int errorNumber, PlatformError& error) {
  error = SystemError(errorNumber);
  const bool missing = errorNumber == ENOENT || errorNumber == ENOTDIR;
  return missing ? ReadableFile::Opening::Missing : ReadableFile::Opening::Failed;
}

}  // namespace

FileKind KindOfFile(const QString& path) {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? KindOf(info.st_mode) : FileKind::Missing;
}

QString FileKindText(FileKind kind) {
  switch (kind) {
    case FileKind::Folder: return QStringLiteral("a folder");
    case FileKind::Device: return QStringLiteral("a device");
    case FileKind::Pipe: return QStringLiteral("a named pipe");
    case FileKind::Socket: return QStringLiteral("a socket");
    case FileKind::Missing:
    case FileKind::Regular:
    case FileKind::Other: break;
  }
  return QStringLiteral("a special file");
}

ReadableFile::~ReadableFile() {
  if (fd_ >= 0) ::close(fd_);
}

ReadableFile::Opening ReadableFile::Open(const QString& path, PlatformError& error) {
  const QByteArray name = QFile::encodeName(path);
  struct stat info {};
  // Look before opening: opening a named pipe would wait for a writer.
  if (::stat(name.constData(), &info) != 0) return Failure(errno, error);
  kind_ = KindOf(info.st_mode);
  if (kind_ != FileKind::Regular) return Opening::NotAFile;
  // Non-blocking, and checked again once open, in case the path was replaced in between.
  fd_ = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return Failure(errno, error);
  kind_ = KindOf(info.st_mode);
  if (kind_ != FileKind::Regular) return Opening::NotAFile;
  size_ = info.st_size;
  modifiedNs_ = NanosecondsOf(info.st_mtim);
  return Opening::Opened;
}

qint64 ReadableFile::Read(char* buffer, qint64 size, PlatformError& error) {
  ssize_t got;
  do {
    got = ::read(fd_, buffer, static_cast<size_t>(size));
  } while (got < 0 && errno == EINTR);
  if (got < 0) error = SystemError(errno);
  return got;
}

FileStamp ReadableFile::Stamp() const {
  QCryptographicHash digest(kStampDigest);
  std::vector<char> chunk(kDigestChunk);
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(fd_, chunk.data(), chunk.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return UnreadableFileStamp();
    if (got == 0) break;
    digest.addData(QByteArrayView(chunk.data(), got));
    offset += got;
  }
  return {true, size_, modifiedNs_, digest.result()};
}
