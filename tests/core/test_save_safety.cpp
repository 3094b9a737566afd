// Saves that a crash cannot make lose a book: in place with a recovery copy,
// leftovers of killed saves, and the privacy of what is kept for recovery.
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

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
#include "support/ChildSide.h"
#include "support/FakePlatform.h"
#include "support/FolderAccess.h"
#include "support/TestBooks.h"

namespace {

const char* const kSaverBook = "VANTREO_SAVER_BOOK";
constexpr int kSmallBook = 3000, kLargeBook = 6000;

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
  ForbidNewFiles(recovery, false);
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(saved.Result, Outcome::Kind::Failed);
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
  BookState saved = PeopleBook(1);
  saved.FileName = path;
  SaveDocument(saved);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).join(' ').toStdString(),
            "book.dat book.dat.backup book.dat.Q1w2E3 other.dat.Ab12Cd");
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
