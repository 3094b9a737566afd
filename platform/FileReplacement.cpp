#include "platform/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct Target {
  QByteArray name;
  std::optional<struct stat> old;  // the file being replaced, if there is one
};

Target TargetOf(const QString& path) {
  const QFileInfo info(path);
  const QString resolved = info.isSymLink() ? info.canonicalFilePath() : QString();
  Target target{QFile::encodeName(resolved.isEmpty() ? path : resolved), std::nullopt};
  struct stat old {};
  if (::stat(target.name.constData(), &old) == 0) target.old = old;
  return target;
}

QByteArray BackupNameOf(const Target& target) { return target.name + ".bak"; }

// Renaming over the file cannot work where the folder takes no new file or
// the file cannot be renamed (a mount point, another user's file in a shared
// folder); a full disk or a size limit would stop writing in place as well.
bool ReplacementImpossible(int errorNumber) {
  return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS || errorNumber == EBUSY;
}

// Writes bytes at offset, however many calls it takes.
bool WriteAt(int fd, std::string_view bytes, size_t offset) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t written = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

bool WriteAll(int fd, const std::string& bytes) { return WriteAt(fd, bytes, 0); }

// How many of the first bytes an overwrite in place holds back until the rest is durable.
constexpr size_t kLeadSize = 16;

// Overwrites the file with bytes in an order that a crash cannot make look
// complete: its first bytes are cleared and made durable first, and written
// only once everything after them is, in its new length. A file whose
// writing was cut short thus starts with zeros, which no reader takes for
// the file it was (an address book's magic is gone).
bool OverwriteLeadLast(int fd, const std::string& bytes) {
  const std::string_view all(bytes);
  const size_t lead = std::min(bytes.size(), kLeadSize);
  return WriteAt(fd, std::string(lead, '\0'), 0) && ::fdatasync(fd) == 0 && WriteAt(fd, all.substr(lead), lead) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fdatasync(fd) == 0 &&
         WriteAt(fd, all.substr(0, lead), 0);
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The new file gets the permissions asked for, or the owner and permissions
// of the one it replaces (the owner only where the system allows), or those
// of any new file.
void TakeOverPermissions(int fd, const Target& target, const std::optional<unsigned>& permissions) {
  if (permissions) {
    ::fchmod(fd, static_cast<mode_t>(*permissions));
    return;
  }
  if (!target.old) {
    ::fchmod(fd, 0666 & ~CurrentUmask());
    return;
  }
  if (::fchown(fd, target.old->st_uid, target.old->st_gid) != 0) {
    // Only the superuser may give a file away; the file is then the user's own.
  }
  ::fchmod(fd, target.old->st_mode & 07777);
}

// Makes what was written durable and returns its stamp; sets errno on failure.
std::optional<FileStamp> Finish(int fd, const std::string& bytes) {
  struct stat written {};
  if (::fsync(fd) != 0 || ::fstat(fd, &written) != 0) return std::nullopt;
  return FileStamp{true, written.st_size, qint64{written.st_mtim.tv_sec} * 1000000000 + written.st_mtim.tv_nsec,
                   QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                            kStampDigest)};
}

// Closes fd; a failure to close is a failure to write (a network file system
// may report a full disk only then). Keeps the errno of an earlier failure.
std::optional<FileStamp> Closed(int fd, std::optional<FileStamp> stamp, int& failure) {
  if (!stamp) failure = errno;
  if (::close(fd) != 0 && stamp) {
    failure = errno;
    stamp.reset();
  }
  return stamp;
}

// Makes the new name of the file durable too.
void SyncFolderOf(const QByteArray& name) {
  const qsizetype slash = name.lastIndexOf('/');
  const QByteArray folderName = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
  const int folder = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// The file about to be replaced becomes the backup: a second name for the
// same file where the file system allows it (mayLink), else a copy.
bool KeepBackup(const Target& target, bool mayLink) {
  const QByteArray backup = BackupNameOf(target);
  ::unlink(backup.constData());
  if (mayLink && ::link(target.name.constData(), backup.constData()) == 0) return true;
  return QFile::copy(QFile::decodeName(target.name), QFile::decodeName(backup)) &&
         ::chmod(backup.constData(), target.old->st_mode & 07777) == 0;
}

std::optional<FileStamp> ReplaceAtomically(const Target& target, const std::string& bytes,
                                           const ReplacementOptions& options, int& failure) {
  QByteArray temporary = target.name + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    failure = errno;
    return std::nullopt;
  }
  std::optional<FileStamp> stamp;
  if (WriteAll(fd, bytes)) {
    TakeOverPermissions(fd, target, options.Permissions);
    stamp = Finish(fd, bytes);
  }
  stamp = Closed(fd, stamp, failure);
  const bool backedUp =
      stamp && options.Previous == PreviousVersion::KeepAsBackup && target.old && KeepBackup(target, true);
  if (stamp && ::rename(temporary.constData(), target.name.constData()) != 0) {
    failure = errno;
    stamp.reset();
    // The backup shares the old file, which may yet be written in place.
    if (backedUp) ::unlink(BackupNameOf(target).constData());
  }
  if (!stamp) {
    ::unlink(temporary.constData());
    return std::nullopt;
  }
  SyncFolderOf(target.name);
  return stamp;
}

// Reserves the file's new size first, so that a full disk or a size limit
// fails before a byte of the old file is overwritten. False (errno in
// failure) when that failed; the file then keeps its old bytes, at worst
// longer by the reserved space.
bool ReserveSpace(int fd, const Target& target, size_t size, int& failure) {
  const int reserved = size == 0 ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  if (reserved == 0) return true;
  if (::ftruncate(fd, target.old->st_size) != 0) {
    // Nothing more can be done; the reserved space stays.
  }
  failure = reserved;
  return false;
}

std::optional<FileStamp> OverwriteInPlace(const Target& target, const std::string& bytes,
                                          const ReplacementOptions& options, int& failure) {
  const int fd = ::open(target.name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    failure = errno;
    return std::nullopt;
  }
  PlatformError copyError;
  if (options.KeepCopyBeforeOverwriting && !options.KeepCopyBeforeOverwriting(bytes, copyError)) {
    ::close(fd);
    failure = copyError.Number != 0 ? copyError.Number : EIO;
    return std::nullopt;
  }
  if (!ReserveSpace(fd, target, bytes.size(), failure)) {
    ::close(fd);
    if (options.DropCopy) options.DropCopy();
    return std::nullopt;
  }
  if (options.Previous == PreviousVersion::KeepAsBackup) KeepBackup(target, false);
  std::optional<FileStamp> stamp;
  if (OverwriteLeadLast(fd, bytes)) stamp = Finish(fd, bytes);
  stamp = Closed(fd, stamp, failure);
  // A file left half-written keeps its copy, which the next start offers.
  if (stamp && options.DropCopy) options.DropCopy();
  return stamp;
}

// A file of the user's own, not a link (whose target may be anyone's), a pipe or a device.
bool IsOwnRegularFile(const QString& file) {
  struct stat info {};
  return ::lstat(QFile::encodeName(file).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
         info.st_uid == ::geteuid();
}

}  // namespace

std::optional<FileStamp> ReplaceFile(const QString& path, const std::string& bytes, PreviousVersion previous,
                                     PlatformError& error) {
  ReplacementOptions options;
  options.Previous = previous;
  return ReplaceFile(path, bytes, options, error);
}

std::optional<FileStamp> ReplaceFile(const QString& path, const std::string& bytes, const ReplacementOptions& options,
                                     PlatformError& error) {
  const Target target = TargetOf(path);
  // A folder, a device or a named pipe is never replaced by a file.
  if (target.old && !S_ISREG(target.old->st_mode)) {
    error = SystemError(S_ISDIR(target.old->st_mode) ? EISDIR : EOPNOTSUPP);
    return std::nullopt;
  }
  int failure = 0;
  std::optional<FileStamp> stamp = ReplaceAtomically(target, bytes, options, failure);
  if (!stamp && target.old && ReplacementImpossible(failure))
    stamp = OverwriteInPlace(target, bytes, options, failure);
  if (!stamp) error = SystemError(failure);
  return stamp;
}

void RemoveLeftOverTemporaries(const QString& path, const std::function<bool(const QString& file)>& isLeftOver) {
  const QFileInfo target(QFile::decodeName(TargetOf(path).name));
  // The names mkostemp makes: the file's name and six letters or digits.
  const QRegularExpression temporary(QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(target.fileName())));
  const QDir folder = target.dir();
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    // Six lower-case letters make a word a user may have chosen (".backup").
    static const QRegularExpression word(QStringLiteral("\\.[a-z]{6}$"));
    if (!temporary.match(name).hasMatch() || word.match(name).hasMatch()) continue;
    const QString file = folder.filePath(name);
    if (IsOwnRegularFile(file) && isLeftOver(file)) QFile::remove(file);
  }
}
