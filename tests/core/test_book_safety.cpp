// One book in two programs, a program ended from outside or stopped by a file
// size limit, and the end of the desktop session: no record is lost unasked.
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/RecoveryFile.h"
#include "core/Termination.h"
#include "mainwindow/frmMain.h"
#include "platform/BookLock.h"
#include "platform/ExitCleanup.h"
#include "platform/SessionEnd.h"
#include "support/ChildSide.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

using Names = std::vector<std::string>;

Names NamesIn(const QString& file) {
  BookState book;
  LoadDocument(book, file);
  Names names;
  for (const AddressRecord& record : book.Records) names.push_back(record.Name);
  return names;
}

const char* const kChildBook = "VANTREO_CHILD_BOOK";

// The child's answer to each command: "dirty=0" or "dirty=1", then the
// messages it has shown since its last answer.
void Reply(const BookState& book) {
  QStringList answer{QStringLiteral("dirty=%1").arg(book.Dirty ? 1 : 0)};
  for (const auto& shown : std::exchange(Fakes().messages.shown, {})) answer << shown.second;
  std::cout << "child: " << answer.join(QStringLiteral(" | ")).toStdString() << std::endl;
}

// The second program of the tests below: a main window on the book the
// environment names, as at start-up, obeying "add NAME", "save" and
// "limit BYTES" (as ulimit -f) until its input ends.
CHILD_SIDE(WindowObeyingItsInput) {
  const QString path = qEnvironmentVariable(kChildBook);
  ProgramSettings settings;
  settings.PhoneBook.DataFile = path;
  EndSafelyWhenTerminated(Book());
  frmMain window(Book(), settings);
  window.Form_Load();
  Reply(Book());
  QEventLoop loop;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    std::string command;
    if (!std::getline(std::cin, command)) return loop.quit();
    const std::string argument = command.substr(command.find(' ') + 1);
    if (command.starts_with("add ")) {
      window.mnuRecordsAdd_Click();
      Book().Current().Name = argument;
    } else if (command == "save") {
      window.mnuFileSave_Click();
    } else if (command.starts_with("limit ")) {
      const rlimit limit{std::stoul(argument), RLIM_INFINITY};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    Reply(Book());
  });
  loop.exec();
}

// The parent's side: the second program on a book, once it has opened it.
struct ChildWindow {
  explicit ChildWindow(const QString& book) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildBook), book);
    StartChildSide(process, "WindowObeyingItsInput", environment);
    Send({});
  }
  ~ChildWindow() {
    process.closeWriteChannel();
    process.waitForFinished();
  }

  // Sends a command (none: just waits) and gives the child's answer.
  QString Send(const QString& command) {
    if (!command.isEmpty()) process.write(command.toUtf8() + '\n');
    for (QDeadlineTimer deadline(60000); process.canReadLine() || process.waitForReadyRead(deadline.remainingTime());) {
      const QString line = QString::fromUtf8(process.readLine()).trimmed();
      if (line.startsWith(QLatin1String("child: "))) return line.mid(7);
    }
    return QStringLiteral("no answer");
  }
  QProcess process;
};

struct FakeSessionEnd : SessionEndRequest {
  explicit FakeSessionEnd(bool allowed) : interaction(allowed) {}
  bool AllowsInteraction() override { return interaction; }
  void Cancel() override { cancelled = true; }
  bool interaction, cancelled = false;
};

// A saved book of one record, "Ann", at path; mine is the window's book. The
// home folder is the test's own, shared with its child programs, so that the
// recovery folder (in the user's data folder) is theirs alone.
class BookSafetyTest : public testing::Test {
 protected:
  void SetUp() override {
    qputenv("HOME", QFile::encodeName(home.path()));
    InstallFileDialogs(&files);
    BookState book = BookWithGroups({});
    AddRecord(book, "Ann");
    book.FileName = path;
    SaveDocument(book);
    saved = ReadBytes(path);
    settings.PhoneBook.DataFile = path;
  }
  void TearDown() override {
    InstallFileDialogs(nullptr);
    qputenv("HOME", savedHome);
  }

  const std::vector<std::pair<MessageKind, QString>>& Shown() const { return Fakes().messages.shown; }
  void AddChange(const std::string& name) {
    AddRecord(mine, name);
    mine.Dirty = true;
  }

  const QByteArray savedHome = qgetenv("HOME");
  QTemporaryDir home, dir;
  const QString path = dir.filePath(QStringLiteral("book.dat"));
  std::string saved;
  FakeFileDialogs files;
  ProgramSettings settings;
  BookState mine;
};

TEST_F(BookSafetyTest, TwoProgramsOnOneBookLoseNoRecordUnasked) {
  ChildWindow other(path);
  frmMain window(mine, settings);
  files.result = FileDialogResult::Chosen;
  files.chosen = path;
  Fakes().messages.answers = {MessageAnswer::Yes};
  window.mnuFileOpen_Click();
  EXPECT_EQ(std::pair(Shown().size(), Shown().at(0).first), std::pair(size_t{1}, MessageKind::Confirmation));
  EXPECT_TRUE(Shown()[0].second.startsWith(
      QStringLiteral("'%1' is already open in another window: process %2").arg(path).arg(other.process.processId())));

  other.Send(QStringLiteral("add Bob"));
  EXPECT_EQ(other.Send(QStringLiteral("save")), "dirty=0");
  other.Send(QStringLiteral("add Dan"));
  other.Send(QStringLiteral("limit 100"));  // as ulimit -f: the next save fails, the program goes on
  EXPECT_EQ(other.Send(QStringLiteral("save")),
            "dirty=1 | Unable to save " + path + " to disk. Error 27 : File too large.");
  EXPECT_EQ(other.Send(QStringLiteral("add Eve")), "dirty=1");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"book.dat", "book.dat.bak", "book.dat.lock"}));
  AddChange("Carol");
  window.mnuFileSave_Click();  // answered Cancel
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[1].first, MessageKind::ReplaceQuestion);
  EXPECT_TRUE(Shown()[1].second.startsWith("'" + path + "' has been changed by another program"));

  Fakes().messages.answers = {MessageAnswer::No};  // save under another name
  files.chosen = dir.filePath(QStringLiteral("mine.dat"));
  window.mnuFileSave_Click();
  EXPECT_EQ(std::tuple(NamesIn(path), NamesIn(files.chosen), mine.Dirty),
            std::tuple(Names{"Ann", "Bob"}, Names{"Ann", "Carol"}, false));
}

// Save As onto the file of a book another window has open asks first; No
// leaves that file as it was, Yes saves over it.
TEST_F(BookSafetyTest, SavingOverABookAnotherWindowHasOpenIsAskedAbout) {
  ChildWindow other(path);
  mine = BookWithGroups({});
  frmMain window(mine, settings);
  AddChange("Carol");
  files.result = FileDialogResult::Chosen;
  files.chosen = path;
  window.mnuFileSaveAs_Click();  // answered No
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].second.startsWith(
      QStringLiteral("'%1' is already open in another window: process %2 ").arg(path).arg(other.process.processId())));
  EXPECT_TRUE(Shown()[0].second.endsWith(". Do you want to save over it anyway?"));
  EXPECT_EQ(std::tuple(ReadBytes(path), mine.FileName != path, mine.Dirty), std::tuple(saved, true, true));
  Fakes().messages.answers = {MessageAnswer::Yes};
  window.mnuFileSaveAs_Click();
  EXPECT_EQ(std::tuple(NamesIn(path), mine.FileName, mine.Dirty), std::tuple(Names{"Carol"}, path, false));
}

TEST_F(BookSafetyTest, ChangesOfATerminatedProgramAreKeptAndOfferedAtTheNextStartAndAFailedExitKeepsThem) {
  {
    ChildWindow ended(path);
    EXPECT_EQ(ended.Send(QStringLiteral("add Bob")), "dirty=1");
    ::kill(static_cast<pid_t>(ended.process.processId()), SIGTERM);
    EXPECT_TRUE(ended.process.waitForFinished() && ended.process.exitStatus() == QProcess::CrashExit);
  }
  EXPECT_EQ(ReadBytes(path), saved);

  frmMain window(mine, settings);
  Fakes().messages.answers = {MessageAnswer::Yes};
  window.Form_Load();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].second.startsWith("Vantreo was ended before the changes to '" + path + "' were saved."));
  EXPECT_EQ(std::tuple(mine.Records.size(), mine.FileName, mine.Dirty), std::tuple(2u, path, true));
  EXPECT_TRUE(KeptChangesInRecoveryFolder().empty());
  // The file is still the one the ended program loaded: saved without a question.
  window.mnuFileSave_Click();
  EXPECT_EQ(std::pair(Shown().size(), NamesIn(path)), std::pair(size_t{1}, Names{"Ann", "Bob"}));

  // An exit whose save fails keeps the program and the changes.
  settings.PhoneBook.PromptBeforeSaving = false;
  AddChange("Carol");
  mine.FileName = dir.filePath(QStringLiteral("gone/book.dat"));
  EXPECT_FALSE(window.close());
  EXPECT_EQ(std::pair(Shown().at(1).first, mine.Dirty), std::pair(MessageKind::ErrorReport, true));
}

TEST_F(BookSafetyTest, DecliningABookOpenElsewhereEndsTheProgramAndTheLockFollowsTheBook) {
  BookLock other;
  ASSERT_EQ(other.Take(path), BookLock::Outcome::Taken);
  {
    frmMain declined(mine, settings);
    declined.Form_Load();  // answered No
    EXPECT_TRUE(Shown().at(0).second.endsWith("Do you want to open it here as well?"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(declined.isVisible());
  }
  other.Release();
  // A lock of a program that is gone (the lock file's layout: pid, application name, host name) is no obstacle.
  WriteBytes(BookLock::LockFilePathOf(path), "999999999\nvantreo\n" + QSysInfo::machineHostName().toStdString() + "\n");
  frmMain window(mine, settings);
  window.Form_Load();
  EXPECT_EQ(std::pair(mine.Records.size(), Shown().size()), std::pair(size_t{1}, size_t{1}));
  EXPECT_EQ(other.Take(path), BookLock::Outcome::HeldElsewhere);
  window.mnuFileNew_Click();
  EXPECT_EQ(other.Take(path), BookLock::Outcome::Taken);
  other.Release();
  EXPECT_FALSE(QFile::exists(BookLock::LockFilePathOf(path)));
  EXPECT_EQ(BookLock().Take("/proc/vantreo-book.dat"), BookLock::Outcome::NotPossible);
}

TEST_F(BookSafetyTest, SessionEndAsksAsExitDoesOrKeepsTheChangesWhenItMayNot) {
  frmMain window(mine, settings);
  window.Form_Load();
  AddChange("Bob");
  FakeSessionEnd asked(true);
  window.CommitSessionData(asked);  // answered Cancel
  EXPECT_TRUE(asked.cancelled);
  EXPECT_EQ(Shown().at(0).second, "Save changes to '" + path + "'?");

  FakeSessionEnd silent(false);
  window.CommitSessionData(silent);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(std::tuple(Shown().size(), silent.cancelled, ReadBytes(path)), std::tuple(1u, false, saved));
  const std::vector<KeptChanges> kept = KeptChangesInRecoveryFolder();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(std::pair(kept[0].BookFile, NamesIn(kept[0].RecoveryFile)), std::pair(path, Names{"Ann", "Bob"}));
}

TEST(ExitCleanupTest, RunsWhatIsStillRegisteredNewestFirstOnce) {
  std::string ran;
  ScopedExitCleanup outer([&] { ran += 'a'; });
  { ScopedExitCleanup gone([&] { ran += 'x'; }); }
  ScopedExitCleanup inner([&] { ran += 'b'; });
  RunExitCleanups();
  RunExitCleanups();
  EXPECT_EQ(ran, "ba");
}

}  // namespace
