#include "platform/PasswordFile.h"

#include <QFile>
#include <QFileInfo>

bool ReadPasswordFile(const QString& path, QString& password, QString& error) {
  const QFileInfo info(path);
  if (!info.exists()) {
    error = QStringLiteral("The password file '%1' does not exist.").arg(path);
    return false;
  }
  const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
  if (info.permissions() & others) {
    error = QStringLiteral("The password file '%1' may be read by others; make it readable by its owner only (chmod 600).").arg(path);
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("The password file '%1' cannot be read: %2").arg(path, file.errorString());
    return false;
  }
  QByteArray line = file.readLine();
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  password = QString::fromUtf8(line);
  return true;
}
