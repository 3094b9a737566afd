#include "support/FolderAccess.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

bool ForbidNewFiles(const QString& folder, bool forbid) {
  const QByteArray name = QFile::encodeName(folder);
  ::chmod(name.constData(), forbid ? 0555 : 0700);
  const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
    flags = forbid ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
  }
  ::close(fd);
  QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
  const bool refused = !probe.open(QIODevice::WriteOnly);
  if (!refused) probe.remove();
  return refused;
}
