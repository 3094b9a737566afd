#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

// A file as the program last read or wrote it: enough to tell later whether
// another program has changed, replaced or created it since.
struct FileStamp {
  bool Exists = false;
  qint64 Size = 0;
  qint64 ModifiedNs = 0;  // modification time, nanoseconds since 1970
  QByteArray Digest;      // of all its bytes

  bool operator==(const FileStamp&) const = default;
};

// The stamp of a file that exists but cannot be read: it matches no stamp the
// program has taken.
inline FileStamp UnreadableFileStamp() { return {true, -1, 0, {}}; }

inline constexpr QCryptographicHash::Algorithm kStampDigest = QCryptographicHash::Blake2b_256;

// The stamp of the file at path as it is now. A missing file gives a stamp
// that does not exist; anything that is not a readable regular file gives
// UnreadableFileStamp().
FileStamp StampOfFile(const QString& path);
