// Saving never damages the file it replaces: failures leave it byte for byte,
// what is no file is never replaced, and each save keeps the last as backup.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

class SavingTest : public testing::Test {
 protected:
  // A saved book of one record with notes of the given size.
  BookState SavedBook(size_t noteBytes) {
    BookState book = BookWithGroups({});
    AddRecord(book, "Ann").Notes = std::string(noteBytes, 'n');
    book.FileName = path;
    SaveDocument(book);
    old = ReadBytes(path);
    book.Records[0].Notes += "changed";
    book.Dirty = true;
    return book;
  }
  QByteArray Name(const QString& file) const { return QFile::encodeName(file); }
  const std::vector<std::pair<MessageKind, QString>>& Shown() const { return Fakes().messages.shown; }

  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("book.dat"));
  std::string old;
};

TEST_F(SavingTest, FullDiskIsReportedWithTheSystemsErrorAndTheOldFileKept) {
  if (::mount("tmpfs", Name(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small file system needs the superuser";
  BookState book = SavedBook(10);
  book.Records[0].Notes = std::string(65535, 'n');
  SaveDocument(book);
  const std::string after = ReadBytes(path);
  const QStringList files = QDir(dir.path()).entryList(QDir::Files);
  ::umount2(Name(dir.path()).constData(), MNT_DETACH);
  EXPECT_EQ(after, old);
  EXPECT_EQ(files, QStringList{"book.dat"});
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(Shown(), (std::vector{std::pair{MessageKind::ErrorReport,
                                            "Unable to save " + path + " to disk. Error 28 : No space left on device."}}));
}

// Keeps new files out of the folder while its files stay writable: by its
// permissions, and for the superuser (whom they do not stop) by the immutable flag.
void ForbidNewFiles(const QString& folder, bool forbid) {
  const QByteArray name = QFile::encodeName(folder);
  ::chmod(name.constData(), forbid ? 0555 : 0700);
  const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
  int flags = 0;
  if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
    flags = forbid ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
  }
  ::close(fd);
}

TEST_F(SavingTest, WritableFileInAFolderThatTakesNoNewFileIsSavedInPlace) {
  BookState book = SavedBook(300);
  ForbidNewFiles(dir.path(), true);
  const bool forbidden = !QFile(dir.filePath("probe")).open(QIODevice::WriteOnly);
  if (forbidden) SaveDocument(book);
  ForbidNewFiles(dir.path(), false);
  if (!forbidden) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(ReadBytes(path).size(), old.size() + 7);
}

TEST_F(SavingTest, EachSaveKeepsTheFileItReplacesAsBackupWithItsPermissions) {
  BookState book = SavedBook(10);
  const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
  QFile::setPermissions(path, permissions);
  for (const char* notes : {"first", "second"}) {
    const std::string replaced = ReadBytes(path);
    book.Records[0].Notes = notes;
    SaveDocument(book);
    EXPECT_EQ(ReadBytes(path + ".bak"), replaced);
    EXPECT_EQ(QFile::permissions(path + ".bak"), permissions);
    EXPECT_EQ(QFile::permissions(path), permissions);
  }
}

TEST_F(SavingTest, SavingThroughASymbolicLinkReplacesTheFileItNames) {
  BookState book = SavedBook(10);
  book.FileName = dir.filePath(QStringLiteral("link.dat"));
  ASSERT_TRUE(QFile::link(path, book.FileName));
  SaveDocument(book);
  EXPECT_TRUE(QFileInfo(book.FileName).isSymLink());
  EXPECT_EQ(ReadBytes(path), ReadBytes(book.FileName));
  EXPECT_NE(ReadBytes(path), old);
}

TEST_F(SavingTest, WhatIsNoFileIsRefusedAtOnceAndNeverReplaced) {
  const QString pipe = dir.filePath(QStringLiteral("pipe.dat"));
  ASSERT_EQ(::mkfifo(Name(pipe).constData(), 0600), 0);
  const std::pair<QString, const char*> cases[] = {{pipe, "a named pipe"}, {"/dev/zero", "a device"}, {dir.path(), "a folder"}};
  for (const auto& [file, kind] : cases) {
    BookState book = BookWithGroups({"Kept"});
    book.Dirty = true;
    LoadDocument(book, file);
    EXPECT_EQ(Shown().back(), std::pair(MessageKind::Notice, file + " is " + kind + ", not a data file."));
    EXPECT_EQ(book.Groups, GroupList{"Kept"});
    EXPECT_TRUE(book.Dirty);
  }
  BookState book = BookWithGroups({});
  book.FileName = pipe;
  SaveDocument(book);
  EXPECT_EQ(Shown().back().second, "Unable to save " + pipe + " to disk. Error 95 : Operation not supported.");
  EXPECT_FALSE(QFileInfo(pipe).isFile());
}

TEST_F(SavingTest, FileChangedOnDiskByItsContentAloneButNotWhenGone) {
  BookState book = SavedBook(10);
  EXPECT_FALSE(FileChangedOnDisk(book));
  // Another program writes as many bytes and sets the time back.
  struct stat before {};
  ::stat(Name(path).constData(), &before);
  std::string other = old;
  other.back() = 'x';
  WriteBytes(path, other);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ::utimensat(AT_FDCWD, Name(path).constData(), times, 0);
  EXPECT_TRUE(FileChangedOnDisk(book));
  QFile::remove(path);
  EXPECT_FALSE(FileChangedOnDisk(book));
}

}  // namespace
