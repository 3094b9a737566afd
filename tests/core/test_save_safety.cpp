// Saves that a crash cannot make lose a book: in place with a recovery copy,
// leftovers of killed saves, and the privacy of what is kept for recovery.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <iostream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "core/DataFile.h"
#include "core/DataFileFit.h"
#include "core/DocumentCodec.h"
#include "core/RecoveryFile.h"
#include "mainwindow/frmMain.h"
#include "platform/BookLock.h"
#include "platform/FileReplacement.h"
#include "support/ChildSide.h"
#include "support/FakePlatform.h"
#include "support/FolderAccess.h"
#include "support/SmallDisk.h"
#include "support/TestBooks.h"

namespace {

const char* const kSaverBook = "VANTREO_SAVER_BOOK";
constexpr int kSmallBook = 3000, kLargeBook = 6000;

// The error the system gives for a new file in folder.
int NewFileError(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder + "/probe").constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  const int error = fd < 0 ? errno : 0;
  if (fd >= 0) {
    ::close(fd);
    QFile::remove(folder + "/probe");
  }
  return error;
}

unsigned PermissionsOf(const QString& path) {
  struct stat info {};
  return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// The program killed by the test below. Saves the book the environment
// names, a small and a large version in turn, until it is killed; the
// folder takes no new file, so every save is in place.
CHILD_SIDE(SaverUntilKilled) {
  const QString path = qEnvironmentVariable(kSaverBook);
  BookState versions[] = {PeopleBook(kSmallBook), PeopleBook(kLargeBook)};
  std::cout << "saving" << std::endl;
  for (int run = 0;; ++run) {
    BookState& book = versions[run % 2];
    book.FileName = path;
    book.Dirty = true;
    SaveDocument(book);
  }
}

// The home folder is the test's own, shared with its child programs, so
// that the recovery folder is theirs alone.
class SaveSafetyTest : public testing::Test {
 protected:
  void SetUp() override { qputenv("HOME", QFile::encodeName(home.path())); }
  void TearDown() override {
    ForbidNewFiles(dir.path(), false);
    qputenv("HOME", savedHome);
  }

  const QByteArray savedHome = qgetenv("HOME");
  QTemporaryDir home, dir;
  const QString path = dir.filePath(QStringLiteral("book.dat"));
};

TEST_F(SaveSafetyTest, KilledDuringSavesInPlaceEveryNextStartOffersAnIntactBook) {
  BookState first = PeopleBook(kSmallBook);
  first.FileName = path;
  SaveDocument(first);
  if (!ForbidNewFiles(dir.path(), true)) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  int offered = 0;
  for (int run = 0; run < 16; ++run) {
    QProcess saver;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kSaverBook), path);
    StartChildSide(saver, "SaverUntilKilled", environment);
    ASSERT_TRUE(saver.waitForReadyRead(60000));  // the first save has begun
    QThread::msleep(static_cast<unsigned long>(40 + run * 53 % 300));
    ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
    saver.waitForFinished();

    // The next start: whatever the book file holds, the book opened is a whole one.
    Fakes().Reset();
    Fakes().messages.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    ProgramSettings settings;
    settings.PhoneBook.DataFile = path;
    BookState opened;
    {
      frmMain window(opened, settings);
      window.Form_Load();
    }
    const int count = opened.RecordCount();
    EXPECT_TRUE(count == kSmallBook || count == kLargeBook) << "run " << run << ": " << count << " records";
    EXPECT_EQ(opened.Records, PeopleBook(count).Records) << "run " << run;
    EXPECT_EQ(opened.FileName.toStdString(), path.toStdString()) << "run " << run;
    for (const KeptChanges& kept : KeptChangesInRecoveryFolder()) RemoveKeptChanges(kept);
    if (!Fakes().messages.shown.empty()) ++offered;
  }
  std::cout << offered << " of 16 starts offered the copy of an interrupted save" << std::endl;
}

TEST_F(SaveSafetyTest, AFinishedSaveInPlaceLeavesNoCopyAndOneThatCannotKeepACopyWritesNothing) {
  BookState book = PeopleBook(10);
  book.FileName = path;
  SaveDocument(book);
  if (!ForbidNewFiles(dir.path(), true)) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  AddRecord(book, "Zoe");
  book.Dirty = true;
  SaveDocument(book);
  EXPECT_EQ(std::pair(book.Dirty, KeptChangesInRecoveryFolder().size()), std::pair(false, size_t{0}));

  // A save whose recovery copy cannot be written does not write in place either.
  const QString recovery = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Recovery";
  ForbidNewFiles(recovery, true);
  AddRecord(book, "Zed");
  book.Dirty = true;
  const Outcome saved = SaveDocument(book);
  const int refusal = NewFileError(recovery);
  ForbidNewFiles(recovery, false);
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(saved.Result, Outcome::Kind::Failed);
  EXPECT_EQ(saved.Error.Number, refusal) << saved.Error.Description.toStdString();  // the system's own reason
  BookState loaded;
  LoadDocument(loaded, path);
  EXPECT_EQ(loaded.Records.back().Name, "Zoe");
}

TEST_F(SaveSafetyTest, ASaveRemovesTheTemporaryFilesThatKilledSavesOfThatBookLeft) {
  const std::string book = ReadBytes(QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus/two-records.dat"));
  const std::pair<const char*, std::string> files[] = {
      {"book.dat.Ab12Cd", book.substr(0, 100)},  // killed while writing
      {"book.dat.xY9zzz", ""},                    // killed before writing
      {"book.dat.backup", book},                  // a word the user chose
      {"book.dat.Q1w2E3", "notes of the user"},
      {"other.dat.Ab12Cd", book},
  };
  for (const auto& [name, bytes] : files) WriteBytes(dir.filePath(name), bytes);
  // Named as a temporary but no file of the user's own: a link to a book elsewhere, a pipe, another user's file.
  const QString elsewhere = home.filePath(QStringLiteral("elsewhere.dat"));
  WriteBytes(elsewhere, book);
  ASSERT_TRUE(QFile::link(elsewhere, dir.filePath(QStringLiteral("book.dat.Lk5678"))));
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("book.dat.Pp5678"))).constData(), 0600), 0);
  const QString others = dir.filePath(QStringLiteral("book.dat.Ot5678"));
  WriteBytes(others, book);
  const bool othersMade = ::chown(QFile::encodeName(others).constData(), 65534, 65534) == 0;  // the superuser only
  if (!othersMade) QFile::remove(others);
  BookState saved = PeopleBook(1);
  saved.FileName = path;
  SaveDocument(saved);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).join(' ').toStdString(),
            std::string("book.dat book.dat.backup book.dat.Lk5678 ") + (othersMade ? "book.dat.Ot5678 " : "") +
                "book.dat.Pp5678 book.dat.Q1w2E3 other.dat.Ab12Cd");
  EXPECT_EQ(ReadBytes(elsewhere), book);
}

// A save in place that finds no room for the new book fails before a byte of
// the old one is overwritten: the book keeps its size and bytes.
TEST_F(SaveSafetyTest, ASaveInPlaceWithoutRoomLeavesTheBookAsItWas) {
  SmallDisk disk(64);
  if (!disk.Problem().isEmpty()) GTEST_SKIP() << disk.Problem().toStdString();
  const QString folder = disk.Path() + "/books", book = folder + "/book.dat";
  QDir().mkdir(folder);
  BookState small = PeopleBook(10);
  small.FileName = book;
  SaveDocument(small);
  const std::string old = ReadBytes(book);
  WriteBytes(disk.Path() + "/filler", std::string(64 * 1024, 'f'));  // as much as fits
  if (!ForbidNewFiles(folder, true)) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  BookState large = PeopleBook(400);
  large.FileName = book;
  large.Dirty = true;
  const Outcome saved = SaveDocument(large);
  ForbidNewFiles(folder, false);
  EXPECT_EQ(std::pair(saved.Result, saved.Error.Number), std::pair(Outcome::Kind::Failed, ENOSPC));
  EXPECT_EQ(ReadBytes(book), old);
  EXPECT_TRUE(large.Dirty);
}

// An overwrite in place cut short half-way (here by a file size limit) leaves
// a file that no load takes for a book: neither the old book nor the new one.
TEST_F(SaveSafetyTest, AnOverwriteInPlaceCutShortIsNeverLoadedAsABook) {
  BookState book = PeopleBook(600);
  book.FileName = path;
  SaveDocument(book);
  const std::string old = ReadBytes(path);
  for (AddressRecord& record : book.Records) std::replace(record.Name.begin(), record.Name.end(), 'a', 'e');
  PlatformError error;
  const std::string changed = EncodeDocument(book, error).value();
  ASSERT_EQ(changed.size(), old.size());
  if (!ForbidNewFiles(dir.path(), true)) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  rlimit unlimited {};
  ::getrlimit(RLIMIT_FSIZE, &unlimited);
  const rlimit half{old.size() / 2, unlimited.rlim_max};
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &half);
  const bool written = ReplaceFile(path, changed, PreviousVersion::Discard, error).has_value();
  ::setrlimit(RLIMIT_FSIZE, &unlimited);
  std::signal(SIGXFSZ, previous);
  ForbidNewFiles(dir.path(), false);
  ASSERT_FALSE(written);
  EXPECT_EQ(error.Number, EFBIG);
  BookState loaded = PeopleBook(1);
  const Outcome load = LoadDocument(loaded, path);
  EXPECT_EQ(load.Result, Outcome::Kind::Refused) << load.Problem.toStdString();
  EXPECT_EQ(loaded.Records, PeopleBook(1).Records);
}

// What is kept for recovery is private: the folder only for its owner, each
// file no more open than the book; so is the lock that names the holder.
TEST_F(SaveSafetyTest, RecoveryFolderFilesAndLockAreNoMoreOpenThanTheBook) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Recovery";
  QDir().mkpath(folder);
  ::chmod(QFile::encodeName(folder).constData(), 0755);  // as an older version made it
  for (const unsigned bookMode : {0644u, 0400u}) {
    BookState book = PeopleBook(2);
    book.FileName = path;
    SaveDocument(book);
    ::chmod(QFile::encodeName(path).constData(), bookMode);
    book.Dirty = true;
    KeepChangesForRecovery(book);
    const std::vector<KeptChanges> kept = KeptChangesInRecoveryFolder();
    ASSERT_EQ(kept.size(), 1u);
    const QString note = kept[0].RecoveryFile.chopped(4) + ".txt";
    EXPECT_EQ(std::tuple(PermissionsOf(folder), PermissionsOf(kept[0].RecoveryFile), PermissionsOf(note)),
              std::tuple(0700u, bookMode & 0600, bookMode & 0600));
    RemoveKeptChanges(kept[0]);
  }
  BookLock lock;
  ASSERT_EQ(lock.Take(path), BookLock::Outcome::Taken);
  EXPECT_EQ(PermissionsOf(BookLock::LockFilePathOf(path)), 0600u);
}

TEST_F(SaveSafetyTest, ABookPastTheFilesLimitsIsStillKeptForRecovery) {
  BookState book = PeopleBook(3);
  book.FileName = path;
  book.PhoneNames.resize(kMaxPhoneNames + 5, "Extra");
  book.Dirty = true;
  PlatformError error;
  ASSERT_FALSE(EncodeDocument(book, error));
  KeepChangesForRecovery(book);
  const std::vector<KeptChanges> kept = KeptChangesInRecoveryFolder();
  ASSERT_EQ(kept.size(), 1u);
  BookState recovered;
  LoadDocument(recovered, kept[0].RecoveryFile);
  EXPECT_EQ(std::pair(recovered.Records, recovered.PhoneNameCount()), std::pair(book.Records, kMaxPhoneNames));
}

// The recovery file is named after the book (without ".dat" in any case: the
// name is chosen once a run, and each case runs as a process of its own), and
// its note names the book in any script.
TEST_F(SaveSafetyTest, TheRecoveryFileIsNamedAfterTheBookAndItsNoteFindsTheBookInAnyScript) {
  BookState book = PeopleBook(1);
  book.FileName = dir.filePath(QStringLiteral("Адреса Łódź.DAT"));
  SaveDocument(book);
  book.Dirty = true;
  KeepChangesForRecovery(book);
  const std::vector<KeptChanges> kept = KeptChangesInRecoveryFolder();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].BookFile, book.FileName);
  EXPECT_TRUE(QFileInfo(kept[0].RecoveryFile).fileName().startsWith("Адреса Łódź recovered ")) << kept[0].RecoveryFile.toStdString();
  RemoveKeptChanges(kept[0]);
}

// Past every limit at once: as many records as the file holds, in their order,
// and the longest text a file stores.
TEST(DataFileFitTest, KeepsTheFirstRecordsTheFileHoldsAndCutsTextToItsLongest) {
  BookState book = PeopleBook(kMaxRecords + 2);
  book.Records[1].Notes = std::string(70000, 'n');
  const BookState fitted = FittedToDataFile(book);
  ASSERT_EQ(fitted.RecordCount(), kMaxRecords);
  EXPECT_EQ(fitted.Records.back().Name, book.Records[kMaxRecords - 1].Name);
  EXPECT_EQ(fitted.Records[1].Notes, std::string(65535, 'n'));
  PlatformError error;
  EXPECT_TRUE(EncodeDocument(fitted, error)) << error.Description.toStdString();
}

}  // namespace
