// One book in two programs, a program ended from outside and the end of the
// desktop session: no record is lost without a question.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <iostream>

#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/RecoveryFile.h"
#include "core/Termination.h"
#include "mainwindow/frmMain.h"
#include "platform/BookLock.h"
#include "platform/SessionEnd.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"


namespace {

const char* const kChildBook = "VANTREO_CHILD_BOOK";
const QString kReplyPrefix = QStringLiteral("child: ");

std::vector<std::string> Names(const BookState& book) {
  std::vector<std::string> names;
  for (const AddressRecord& record : book.Records) names.push_back(record.Name);
  return names;
}

std::vector<std::string> NamesIn(const QString& file) {
  BookState book;
  LoadDocument(book, file);
  return Names(book);
}

// The child's answer to each command: "dirty=0" or "dirty=1", then the
// messages it has shown since its last answer.
void Reply(const BookState& book) {
  QStringList answer{QStringLiteral("dirty=%1").arg(book.Dirty ? 1 : 0)};
  for (const auto& shown : Fakes().messages.shown) answer << shown.second;
  Fakes().messages.shown.clear();
  std::printf("%s\n", qPrintable(kReplyPrefix + answer.join(QStringLiteral(" | "))));
  std::fflush(stdout);
}

// "add NAME" adds a record, "save" saves, "limit BYTES" sets a file size limit as ulimit -f does.
void Obey(const QString& command, frmMain& window, BookState& book) {
  const QString argument = command.section(' ', 1);
  if (command.startsWith(QLatin1String("add "))) {
    window.mnuRecordsAdd_Click();
    book.Current().Name = argument.toStdString();
  } else if (command == QLatin1String("save")) {
    window.mnuFileSave_Click();
  } else if (command.startsWith(QLatin1String("limit "))) {
    const rlimit limit{argument.toULong(), RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  Reply(book);
}

// Not a test of its own: the second program of the tests below, started by
// them. A main window, set up as at start-up, on the book the environment
// names, obeying commands from its standard input until it closes.
TEST(ChildWindow, ObeysTheTestThatStartedIt) {
  const QString path = qEnvironmentVariable(kChildBook);
  if (path.isEmpty()) GTEST_SKIP() << "started by the tests that need a second program";
  ProgramSettings settings;
  settings.PhoneBook.DataFile = path;
  EndSafelyWhenTerminated(Book());
  frmMain window(Book(), settings);
  window.Form_Load();
  Reply(Book());
  QEventLoop loop;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    std::string line;
    if (std::getline(std::cin, line))
      Obey(QString::fromStdString(line), window, Book());
    else
      loop.quit();
  });
  loop.exec();
}

// The parent's side: the second program on a book, once it has opened it.
class ChildWindow {
 public:
  explicit ChildWindow(const QString& book) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildBook), book);
    process_.setProcessEnvironment(environment);
    process_.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ChildWindow.*")});
    NextReply();
  }
  ~ChildWindow() {
    process_.closeWriteChannel();
    process_.waitForFinished();
  }

  QString Send(const QString& command) {
    process_.write(command.toUtf8() + '\n');
    return NextReply();
  }

  // True when the child ended by the signal.
  bool Terminate() {
    ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
    return process_.waitForFinished() && process_.exitStatus() == QProcess::CrashExit;
  }

  qint64 Pid() const { return process_.processId(); }

 private:
  QString NextReply() {
    while (process_.canReadLine() || process_.waitForReadyRead(20000)) {
      const QString line = QString::fromUtf8(process_.readLine()).trimmed();
      if (line.startsWith(kReplyPrefix)) return line.mid(kReplyPrefix.size());
    }
    return QStringLiteral("no answer");
  }

  QProcess process_;
};

// A home folder of the test's own, shared with its child programs, so that
// the recovery folder (in the user's data folder) is theirs alone.
class ScopedHome {
 public:
  ScopedHome() : saved_(qgetenv("HOME")) { qputenv("HOME", QFile::encodeName(dir_.path())); }
  ~ScopedHome() { qputenv("HOME", saved_); }

 private:
  QTemporaryDir dir_;
  QByteArray saved_;
};

struct FakeSessionEnd : SessionEndRequest {
  explicit FakeSessionEnd(bool allowed) : interaction(allowed) {}
  bool AllowsInteraction() override { return interaction; }
  void Cancel() override { cancelled = true; }
  bool interaction;
  bool cancelled = false;
};

class BookSafetyTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallFileDialogs(&files);
    BookState book = BookWithGroups({});
    AddRecord(book, "Ann");
    book.FileName = path;
    SaveDocument(book);
    saved = ReadBytes(path);
    settings.PhoneBook.DataFile = path;
  }
  void TearDown() override { InstallFileDialogs(nullptr); }

  const std::vector<std::pair<MessageKind, QString>>& Shown() const { return Fakes().messages.shown; }
  void AddChange(const std::string& name) {
    AddRecord(mine, name);
    mine.Dirty = true;
  }

  ScopedHome home;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("book.dat"));
  std::string saved;
  FakeFileDialogs files;
  ProgramSettings settings;
  BookState mine;
};

TEST_F(BookSafetyTest, SecondProgramIsWarnedAndASaveOverTheOthersIsAskedAbout) {
  ChildWindow other(path);
  frmMain window(mine, settings);
  files.result = FileDialogResult::Chosen;
  files.chosen = path;
  Fakes().messages.answers = {MessageAnswer::Yes};
  window.mnuFileOpen_Click();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].first, MessageKind::Confirmation);
  EXPECT_TRUE(Shown()[0].second.startsWith(
      QStringLiteral("'%1' is already open in another window: process %2").arg(path).arg(other.Pid())));
  EXPECT_EQ(Names(mine), std::vector<std::string>{"Ann"});

  other.Send(QStringLiteral("add Bob"));
  EXPECT_EQ(other.Send(QStringLiteral("save")), "dirty=0");
  AddChange("Carol");
  window.mnuFileSave_Click();  // answered Cancel
  ASSERT_EQ(Shown().size(), 2u);
  EXPECT_EQ(Shown()[1].first, MessageKind::ReplaceQuestion);
  EXPECT_TRUE(Shown()[1].second.startsWith("'" + path + "' has been changed by another program"));
  EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"Ann", "Bob"}));

  Fakes().messages.answers = {MessageAnswer::No};  // save under another name
  files.chosen = dir.filePath(QStringLiteral("mine.dat"));
  window.mnuFileSave_Click();
  EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"Ann", "Bob"}));
  EXPECT_EQ(NamesIn(files.chosen), (std::vector<std::string>{"Ann", "Carol"}));
  EXPECT_FALSE(mine.Dirty);
}

TEST_F(BookSafetyTest, ChangesOfATerminatedProgramAreKeptAndOfferedAtTheNextStart) {
  {
    ChildWindow ended(path);
    EXPECT_EQ(ended.Send(QStringLiteral("add Bob")), "dirty=1");
    EXPECT_TRUE(ended.Terminate());
  }
  EXPECT_EQ(ReadBytes(path), saved);

  frmMain window(mine, settings);
  Fakes().messages.answers = {MessageAnswer::Yes};
  window.Form_Load();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(Shown()[0].second.startsWith("Vantreo was ended before the changes to '" + path + "' were saved."));
  EXPECT_EQ(Names(mine), (std::vector<std::string>{"Ann", "Bob"}));
  EXPECT_EQ(mine.FileName, path);
  EXPECT_TRUE(mine.Dirty);
  EXPECT_TRUE(KeptChangesInRecoveryFolder().empty());
  // The file is still the one the ended program loaded: saved without a question.
  window.mnuFileSave_Click();
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_EQ(NamesIn(path), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST_F(BookSafetyTest, FileSizeLimitFailsTheSaveAndTheProgramGoesOn) {
  ChildWindow limited(path);
  limited.Send(QStringLiteral("add Bob"));
  limited.Send(QStringLiteral("limit 100"));
  EXPECT_EQ(limited.Send(QStringLiteral("save")),
            "dirty=1 | Unable to save " + path + " to disk. Error 27 : File too large.");
  EXPECT_EQ(limited.Send(QStringLiteral("add Carol")), "dirty=1");
  EXPECT_EQ(ReadBytes(path), saved);
}

TEST_F(BookSafetyTest, DecliningABookOpenElsewhereAtStartEndsTheProgram) {
  BookLock other;
  ASSERT_EQ(other.Take(path), BookLock::Outcome::Taken);
  frmMain window(mine, settings);
  window.Form_Load();  // answered No
  EXPECT_TRUE(Shown().at(0).second.endsWith("Do you want to open it here as well?"));
  EXPECT_TRUE(mine.IsUntitled());
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.isVisible());
}

TEST_F(BookSafetyTest, TheLockFollowsTheWindowsBook) {
  frmMain window(mine, settings);
  window.Form_Load();
  BookLock other;
  EXPECT_EQ(other.Take(path), BookLock::Outcome::HeldElsewhere);
  window.mnuFileNew_Click();
  EXPECT_EQ(other.Take(path), BookLock::Outcome::Taken);
}

TEST_F(BookSafetyTest, ExitWhoseSaveFailsKeepsTheProgramAndTheChanges) {
  settings.PhoneBook.PromptBeforeSaving = false;
  frmMain window(mine, settings);
  window.Form_Load();
  AddChange("Bob");
  mine.FileName = dir.filePath(QStringLiteral("gone/book.dat"));
  EXPECT_FALSE(window.close());
  EXPECT_EQ(Shown().at(0).first, MessageKind::ErrorReport);
  EXPECT_TRUE(mine.Dirty);
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
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_FALSE(silent.cancelled);
  EXPECT_EQ(ReadBytes(path), saved);
  const std::vector<KeptChanges> kept = KeptChangesInRecoveryFolder();
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].BookFile, path);
  EXPECT_EQ(NamesIn(kept[0].RecoveryFile), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST_F(BookSafetyTest, ChangesDroppedAtTheEndOfTheSessionAreNotAskedAboutAgain) {
  frmMain window(mine, settings);
  window.Form_Load();
  AddChange("Bob");
  Fakes().messages.answers = {MessageAnswer::No};
  FakeSessionEnd asked(true);
  window.CommitSessionData(asked);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_FALSE(asked.cancelled);
  EXPECT_TRUE(KeptChangesInRecoveryFolder().empty());
}

}  // namespace
