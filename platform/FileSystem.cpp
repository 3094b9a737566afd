#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

PlatformError ErrorOf(const QFileDevice& file) {
  return {static_cast<int>(file.error()), file.errorString()};
}

}  // namespace

bool FileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

bool ReadWholeFile(const QString& path, std::string& bytes, PlatformError& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = ErrorOf(file);
    return false;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = ErrorOf(file);
    return false;
  }
  bytes.assign(data.constData(), static_cast<size_t>(data.size()));
  return true;
}

bool WriteFileAtomically(const QString& path, const std::string& bytes, PlatformError& error) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (a full disk) shows in write()'s result.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    error = ErrorOf(file);
    return false;
  }
  const qint64 size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size || !file.commit()) {
    error = ErrorOf(file);
    file.cancelWriting();
    return false;
  }
  return true;
}

bool RemoveFile(const QString& path) { return QFile::remove(path); }
