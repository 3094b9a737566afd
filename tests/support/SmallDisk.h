#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <cstring>

#include <QTemporaryDir>

// A folder on a tmpfs of its own with room for only `kibibytes` KiB, so that
// writes fail with "No space left on device" as on a full disk. Problem()
// says why it cannot be had here (mounting needs root, or is refused in the
// container).
class SmallDisk {
 public:
  explicit SmallDisk(int kibibytes) {
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0700";
    if (mount("tmpfs", folder_.path().toLocal8Bit().constData(), "tmpfs", 0, options.constData()) == 0)
      mounted_ = true;
    else
      problem_ = QStringLiteral("a tmpfs cannot be mounted here: ") + QString::fromLocal8Bit(std::strerror(errno));
  }
  ~SmallDisk() {
    if (mounted_) umount2(folder_.path().toLocal8Bit().constData(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  QString Problem() const { return problem_; }
  QString Path() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
  bool mounted_ = false;
  QString problem_;
};
