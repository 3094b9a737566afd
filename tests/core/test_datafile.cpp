#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/GroupMembership.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

std::string Int16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Counted(const std::string& text) { return Int16(static_cast<int>(text.size())) + text; }

// The file of a new, unchanged document, built from its description.
std::string NewDocumentFile() {
  std::string bytes = "QUILLBOX00" + std::string(8, '\0') + Int16(0);
  for (int i = 0; i < 4; ++i) bytes += Int16(i);
  for (int key : {1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0}) bytes += Int16(key);
  bytes += Int16(4) + Counted("Home") + Counted("Work") + Counted("Fax") + Counted("Car Phone");
  return bytes + Int16(0) + Int16(0) + Int16(0);
}

class DataFileTest : public testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  BookState SavedAndLoaded(BookState book) {
    book.FileName = PathOf("book.dat");
    SaveDocument(book);
    BookState loaded;
    NewDocument(loaded);
    LoadDocument(loaded, book.FileName);
    return loaded;
  }

  QTemporaryDir dir;
};

TEST_F(DataFileTest, NewDocumentSavesAsThe88ByteFile) {
  BookState book;
  NewDocument(book);
  book.FileName = PathOf("new.dat");
  book.Dirty = true;
  SaveDocument(book);
  const std::string bytes = ReadBytes(book.FileName);
  EXPECT_EQ(bytes.size(), 88u);
  EXPECT_EQ(bytes, NewDocumentFile());
  EXPECT_FALSE(book.Dirty);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(DataFileTest, NewDocumentFileLoadsBackAsNewDocument) {
  WriteBytes(PathOf("new.dat"), NewDocumentFile());
  BookState book = BookWithGroups({"Stale"});
  AddRecord(book, "Stale");
  book.Dirty = true;
  LoadDocument(book, PathOf("new.dat"));
  EXPECT_EQ(book.PhoneNames, (PhoneNameList{"Home", "Work", "Fax", "Car Phone"}));
  EXPECT_EQ(book.GroupCount(), 0);
  EXPECT_EQ(book.RecordCount(), 0);
  EXPECT_EQ(book.FileName, PathOf("new.dat"));
  EXPECT_FALSE(book.Dirty);
}

TEST_F(DataFileTest, EveryByteValueAndGroupZeroSurviveARoundTrip) {
  BookState book = BookWithGroups({"Family", "Work", "Club", "Choir"});
  std::string allBytes;
  for (int c = 0; c < 256; ++c) allBytes += static_cast<char>(c);
  AddressRecord& first = AddRecord(book, std::string("A\0B\xFF", 4), allBytes);
  StoreGroupSet(first, std::string("\0\3", 2));
  first.Address = "1 Main St\r\nSpringfield";
  first.Phones = {"555-0100", "", "", "555-0199"};
  first.PhoneNameIndex = {3, -1, 0, 2};
  first.WhichPhone = 3;
  first.Notes = allBytes;
  AddressRecord& second = AddRecord(book, "");
  second.PrintAs = kPrintAsBusiness;
  second.Group = 0;
  book.CurrentRecord = 1;
  book.DefaultPhoneNames = {-1, 2, 1, 0};
  book.Keys[1] = {kSortCompany, 0, 1, 1};

  const BookState loaded = SavedAndLoaded(book);
  EXPECT_EQ(loaded.Records, book.Records);
  EXPECT_EQ(loaded.Groups, book.Groups);
  EXPECT_EQ(loaded.DefaultPhoneNames, book.DefaultPhoneNames);
  EXPECT_EQ(loaded.Keys, book.Keys);
  EXPECT_EQ(loaded.CurrentRecord, 1);
  EXPECT_TRUE(BelongsToGroup(loaded.Records[0], 0));
  EXPECT_TRUE(BelongsToGroup(loaded.Records[0], 3));
  EXPECT_FALSE(BelongsToGroup(loaded.Records[0], 1));
}

TEST_F(DataFileTest, EmptyNameIsTwoZeroBytes) {
  BookState book;
  NewDocument(book);
  AddRecord(book, "");
  book.FileName = PathOf("one.dat");
  SaveDocument(book);
  const std::string bytes = ReadBytes(book.FileName);
  ASSERT_EQ(bytes.size(), 88u + 32u);
  EXPECT_EQ(bytes.substr(88, 2), Int16(0));
}

TEST_F(DataFileTest, CaseChangedMagicIsRefusedAndDocumentKept) {
  std::string bytes = NewDocumentFile();
  bytes.replace(0, 10, "QuillBox00");
  WriteBytes(PathOf("odd.dat"), bytes);
  BookState book = BookWithGroups({"Keep"});
  AddRecord(book, "Kept");
  book.FileName = PathOf("mine.dat");
  book.Dirty = true;
  const BookState before = book;
  LoadDocument(book, PathOf("odd.dat"));
  EXPECT_EQ(book.Records, before.Records);
  EXPECT_EQ(book.FileName, before.FileName);
  EXPECT_TRUE(book.Dirty);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Notice);
  EXPECT_EQ(Fakes().messages.shown[0].second,
            PathOf("odd.dat") + " is corrupt or is not a valid data file.");
}

TEST_F(DataFileTest, TruncatedFileGivesUntitledDocumentAndTheMessage) {
  BookState book = BookWithGroups({"G"});
  AddRecord(book, "Someone", "Somewhere").Notes = "notes";
  book.FileName = PathOf("full.dat");
  SaveDocument(book);
  const std::string bytes = ReadBytes(book.FileName);
  WriteBytes(PathOf("cut.dat"), bytes.substr(0, bytes.size() - 3));

  BookState loaded = book;
  LoadDocument(loaded, PathOf("cut.dat"));
  EXPECT_EQ(loaded.FileName, "Untitled");
  EXPECT_EQ(loaded.RecordCount(), 0);
  EXPECT_EQ(loaded.GroupCount(), 0);
  EXPECT_FALSE(loaded.Dirty);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::ErrorReport);
  EXPECT_EQ(Fakes().messages.shown[0].second,
            "Unable to load '" + PathOf("cut.dat") + "' from disk. Error 62 : Input past end of file.");
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(DataFileTest, MissingFileGivesNewDocumentUnderThatName) {
  BookState book = BookWithGroups({"Old"});
  LoadDocument(book, PathOf("absent.dat"));
  EXPECT_EQ(book.FileName, PathOf("absent.dat"));
  EXPECT_EQ(book.GroupCount(), 0);
  EXPECT_FALSE(book.Dirty);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(DataFileTest, BytesAfterTheLastRecordAreIgnored) {
  WriteBytes(PathOf("tail.dat"), NewDocumentFile() + "garbage after the end");
  BookState book;
  LoadDocument(book, PathOf("tail.dat"));
  EXPECT_EQ(book.PhoneNameCount(), 4);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(DataFileTest, SaveOverALongerFileLeavesNoStaleTail) {
  BookState book = BookWithGroups({"Group"});
  AddRecord(book, std::string(1000, 'x'));
  book.FileName = PathOf("shrink.dat");
  SaveDocument(book);
  NewDocument(book);
  book.FileName = PathOf("shrink.dat");
  SaveDocument(book);
  EXPECT_EQ(ReadBytes(book.FileName), NewDocumentFile());
}

// Makes every write beyond a few bytes fail for its lifetime, as a full disk
// would; unlike folder permissions this holds for the root user too.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  void (*previousHandler_)(int) = nullptr;
};

TEST_F(DataFileTest, FailedSaveLeavesTheOldFileAndStaysDirty) {
  const QString path = PathOf("book.dat");
  WriteBytes(path, NewDocumentFile());
  BookState book = BookWithGroups({"New"});
  AddRecord(book, std::string(4000, 'u'));
  book.FileName = path;
  book.Dirty = true;
  {
    FileSizeLimit limit(100);
    SaveDocument(book);
  }
  EXPECT_EQ(ReadBytes(path), NewDocumentFile());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"book.dat"});
  EXPECT_TRUE(book.Dirty);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::ErrorReport);
  EXPECT_EQ(Fakes().messages.shown[0].second, "Unable to save " + path + " to disk. Error 27 : File too large.");
  EXPECT_EQ(Fakes().busy.depth, 0);
}

// A book a little too big for what the test's folder can take.
BookState BookOverOldFile(const QString& path, size_t noteBytes) {
  WriteBytes(path, NewDocumentFile());
  BookState book = BookWithGroups({});
  AddRecord(book, "Big").Notes = std::string(noteBytes, 'n');
  book.FileName = path;
  book.Dirty = true;
  return book;
}

TEST_F(DataFileTest, FullDiskIsReportedWithTheSystemsErrorAndTheOldFileKept) {
  const QByteArray folder = QFile::encodeName(dir.path());
  if (::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small file system needs the superuser";
  BookState book = BookOverOldFile(PathOf("book.dat"), 65535);
  SaveDocument(book);
  EXPECT_EQ(ReadBytes(book.FileName), NewDocumentFile());
  EXPECT_TRUE(book.Dirty);
  ::umount2(folder.constData(), MNT_DETACH);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].second,
            "Unable to save " + book.FileName + " to disk. Error 28 : No space left on device.");
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

TEST_F(DataFileTest, WritableFileInAFolderThatTakesNoNewFileIsSavedInPlace) {
  BookState book = BookOverOldFile(PathOf("book.dat"), 300);
  ForbidNewFiles(dir.path(), true);
  const bool forbidden = !QFile(PathOf("probe")).open(QIODevice::WriteOnly);
  if (forbidden) SaveDocument(book);
  ForbidNewFiles(dir.path(), false);
  if (!forbidden) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(ReadBytes(book.FileName).size(), 88u + 32u + 3u + 300u);
}

TEST_F(DataFileTest, EachSaveKeepsTheFileItReplacesAsBackup) {
  BookState book = BookOverOldFile(PathOf("book.dat"), 10);
  const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
  QFile::setPermissions(book.FileName, permissions);
  for (const char* notes : {"first", "second"}) {
    const std::string replaced = ReadBytes(book.FileName);
    book.Records[0].Notes = notes;
    SaveDocument(book);
    EXPECT_EQ(ReadBytes(book.FileName + ".bak"), replaced);
    EXPECT_EQ(QFile::permissions(book.FileName + ".bak"), permissions);
    EXPECT_EQ(QFile::permissions(book.FileName), permissions);
  }
}

TEST_F(DataFileTest, WhatIsNoFileIsRefusedAtOnceAndNeverReplaced) {
  const QString pipe = PathOf("pipe.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  sockaddr_un address{AF_UNIX, {}};
  const QByteArray socketName = QFile::encodeName(PathOf("socket.dat"));
  std::memcpy(address.sun_path, socketName.constData(), static_cast<size_t>(socketName.size()));
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::pair<QString, const char*> cases[] = {
      {pipe, "a named pipe"}, {"/dev/zero", "a device"}, {dir.path(), "a folder"}, {PathOf("socket.dat"), "a socket"}};
  for (const auto& [path, kind] : cases) {
    BookState book = BookWithGroups({"Kept"});
    book.Dirty = true;
    LoadDocument(book, path);
    EXPECT_EQ(Fakes().messages.shown.back(),
              std::make_pair(MessageKind::Notice, path + " is " + kind + ", not a data file."));
    EXPECT_EQ(book.Groups, GroupList{"Kept"});
    EXPECT_TRUE(book.Dirty);
  }
  ::close(socket);
  BookState book = BookWithGroups({});
  book.FileName = pipe;
  SaveDocument(book);
  EXPECT_EQ(Fakes().messages.shown.back().second,
            "Unable to save " + pipe + " to disk. Error 95 : Operation not supported.");
  EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
}

TEST_F(DataFileTest, FileChangedOnDiskByItsContentSizeOrTimeButNotWhenGone) {
  BookState book = BookOverOldFile(PathOf("book.dat"), 10);
  SaveDocument(book);
  EXPECT_FALSE(FileChangedOnDisk(book));
  // Another program writes the same number of bytes and sets the time back.
  struct stat before {};
  ::stat(QFile::encodeName(book.FileName).constData(), &before);
  std::string other = ReadBytes(book.FileName);
  other.back() = 'x';
  WriteBytes(book.FileName, other);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ::utimensat(AT_FDCWD, QFile::encodeName(book.FileName).constData(), times, 0);
  EXPECT_TRUE(FileChangedOnDisk(book));
  QFile::remove(book.FileName);
  EXPECT_FALSE(FileChangedOnDisk(book));
}

TEST_F(DataFileTest, SaveIntoAMissingFolderFailsAndReports) {
  BookState book;
  NewDocument(book);
  book.FileName = PathOf("no/such/folder/book.dat");
  book.Dirty = true;
  SaveDocument(book);
  EXPECT_TRUE(book.Dirty);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Unable to save "));
}

TEST_F(DataFileTest, TextTooLongForTheFileIsRefused) {
  BookState book;
  NewDocument(book);
  AddRecord(book, "Long").Notes = std::string(65536, 'n');
  book.FileName = PathOf("long.dat");
  book.Dirty = true;
  SaveDocument(book);
  EXPECT_FALSE(QFile::exists(book.FileName));
  EXPECT_TRUE(book.Dirty);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.contains("65,535"));

  book.Records[0].Notes.resize(65535);
  SaveDocument(book);
  EXPECT_FALSE(book.Dirty);
}

}  // namespace
