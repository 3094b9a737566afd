#include "platform/FileSystem.h"

#include <cerrno>
#include <vector>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/FileReplacement.h"
#include "platform/ReadableFile.h"

bool FileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

namespace {

constexpr size_t kGrowthChunk = 64 * 1024;

// Into a std::string or a QByteArray, which Qt's parsers take without a copy.
template <class Bytes>
bool ReadWholeFileInto(const QString& path, Bytes& bytes, PlatformError& error) {
  using Size = decltype(bytes.size());
  ReadableFile file;
  switch (file.Open(path, error)) {
    case ReadableFile::Opening::Opened: break;
    case ReadableFile::Opening::NotAFile:
      error = SystemError(file.Kind() == FileKind::Folder ? EISDIR : EINVAL);
      return false;
    case ReadableFile::Opening::Missing:
    case ReadableFile::Opening::Failed: return false;
  }
  // The size when opened; a file that grows meanwhile is read to its end.
  bytes.resize(static_cast<Size>(file.Size()));
  Size filled = 0;
  std::vector<char> more;  // what a file read to its size still holds, so that the whole is not grown at its end
  for (;;) {
    const bool full = filled == bytes.size();
    if (full) more.resize(kGrowthChunk);
    char* into = full ? more.data() : bytes.data() + filled;
    const qint64 got = file.Read(into, full ? static_cast<qint64>(more.size()) : static_cast<qint64>(bytes.size() - filled), error);
    if (got < 0) return false;
    if (got == 0) break;
    if (full) bytes.append(more.data(), static_cast<Size>(got));
    filled += static_cast<Size>(got);
  }
  bytes.resize(filled);  // a file that shrank meanwhile
  return true;
}

}  // namespace

bool ReadWholeFile(const QString& path, std::string& bytes, PlatformError& error) {
  return ReadWholeFileInto(path, bytes, error);
}

bool ReadWholeFile(const QString& path, QByteArray& bytes, PlatformError& error) {
  return ReadWholeFileInto(path, bytes, error);
}

bool WriteFileAtomically(const QString& path, const std::string& bytes, PlatformError& error) {
  return ReplaceFile(path, bytes, PreviousVersion::Discard, error).has_value();
}

bool WritePrivateFile(const QString& path, const std::string& bytes, const QString& likeFile, PlatformError& error) {
  struct stat like {};
  ReplacementOptions options;
  // Readable by its owner in any case, or the file could not be used again.
  options.Permissions = ::stat(QFile::encodeName(likeFile).constData(), &like) == 0 ? (like.st_mode & 0600) | 0400 : 0600;
  return ReplaceFile(path, bytes, options, error).has_value();
}

std::string FirstBytesOf(const QString& path, size_t count) {
  ReadableFile file;
  PlatformError error;
  if (file.Open(path, error) != ReadableFile::Opening::Opened) return {};
  std::string bytes(count, '\0');
  size_t filled = 0;
  while (filled < count) {
    const qint64 got = file.Read(bytes.data() + filled, static_cast<qint64>(count - filled), error);
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

bool IsSameFile(const QString& first, const QString& second) {
  struct stat a {}, b {};
  return ::stat(QFile::encodeName(first).constData(), &a) == 0 && ::stat(QFile::encodeName(second).constData(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool RemoveFile(const QString& path) { return QFile::remove(path); }

QStringList FilesIn(const QString& folder, const QString& pattern) {
  const QDir dir(folder);
  QStringList files = dir.entryList({pattern}, QDir::Files, QDir::Time | QDir::Reversed);
  for (QString& file : files) file = dir.filePath(file);
  return files;
}
