// How the user starts the window: `vantreo BOOK.dat` runs the commands of the
// command line itself and becomes the window program for the window, from
// the build folder and from the installed layout; a window program that
// cannot start is named with the system's reason.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFile.h"
#include "platform/BookLock.h"
#include "support/TestBooks.h"

namespace {

const QString kProgram = QStringLiteral(VANTREO_PROGRAM);
const QString kWindowProgram = QStringLiteral(VANTREO_WINDOW_PROGRAM_FILE);

enum class WindowProgramFile { Copied, Missing, NotExecutable };

class StartUpTest : public testing::Test {
 protected:
  void SetUp() override {
    BookState book = PeopleBook(3);
    book.FileName = dir.filePath(QStringLiteral("people.dat"));
    ASSERT_TRUE(SaveDocument(book).Succeeded());
  }

  QString Book() const { return dir.filePath(QStringLiteral("people.dat")); }

  // The programs as the package installs them, under a private prefix:
  // vantreo in bin/, the window program where vantreo looks for it.
  QString InstallUnderPrefix(WindowProgramFile window) {
    const QString bin = dir.filePath(QStringLiteral("prefix/bin"));
    const QString windowFolder = QDir::cleanPath(bin + QStringLiteral("/" VANTREO_INSTALLED_WINDOW_DIR));
    const QString program = bin + QStringLiteral("/vantreo");
    windowProgram = windowFolder + QLatin1Char('/') + QFileInfo(kWindowProgram).fileName();
    EXPECT_TRUE(QDir().mkpath(bin) && QDir().mkpath(windowFolder));
    EXPECT_TRUE(QFile::copy(kProgram, program));
    if (window != WindowProgramFile::Missing) {
      EXPECT_TRUE(QFile::copy(kWindowProgram, windowProgram));
    }
    if (window == WindowProgramFile::NotExecutable) QFile::setPermissions(windowProgram, QFile::ReadOwner | QFile::WriteOwner);
    return program;
  }

  // Starts program on the book with settings and data folders of its own.
  void Start(const QString& program) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home/config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("home/data")));
    process.setProcessEnvironment(environment);
    process.start(program, {Book()});
    ASSERT_TRUE(process.waitForStarted());
  }

  // The window has the book open once it holds the book's lock.
  bool WindowOpensTheBook() {
    const QString lock = BookLock::LockFilePathOf(Book());
    return QTest::qWaitFor([&] { return QFileInfo::exists(lock) || process.state() == QProcess::NotRunning; }, 60000) &&
           process.state() == QProcess::Running;
  }

  // What runs in the process now, and with which arguments.
  QString RunningProgram() const {
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(process.processId())).symLinkTarget();
  }
  QStringList RunningArguments() const {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(process.processId()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList arguments = QString::fromLocal8Bit(file.readAll()).split(QChar(0));
    arguments.removeLast();  // each argument ends with a zero byte
    return arguments;
  }

  void EndTheWindow() {
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    EXPECT_TRUE(process.waitForFinished(60000));
  }

  QTemporaryDir dir;
  QProcess process;
  QString windowProgram = kWindowProgram;
};

class WindowStartTest : public StartUpTest, public testing::WithParamInterface<bool> {};

TEST_P(WindowStartTest, TheProgramBecomesTheWindowProgramWithTheSameArguments) {
  const bool installed = GetParam();
  const QString program = installed ? InstallUnderPrefix(WindowProgramFile::Copied) : kProgram;
  Start(program);
  ASSERT_TRUE(WindowOpensTheBook()) << process.readAllStandardError().toStdString();
  EXPECT_EQ(RunningProgram(), QFileInfo(windowProgram).canonicalFilePath());
  EXPECT_EQ(RunningArguments(), QStringList({program, Book()}));
  EndTheWindow();
}

INSTANTIATE_TEST_SUITE_P(Layouts, WindowStartTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& layout) {
                           return std::string(layout.param ? "Installed" : "BuildFolder");
                         });

struct UnstartableCase {
  const char* Name;
  WindowProgramFile Window;
  const char* Reason;
};

class UnstartableWindowTest : public StartUpTest, public testing::WithParamInterface<UnstartableCase> {};

TEST_P(UnstartableWindowTest, TheProgramNamesTheWindowProgramAndTheReasonAndFails) {
  Start(InstallUnderPrefix(GetParam().Window));
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(QString::fromLocal8Bit(process.readAllStandardError()),
            QStringLiteral("vantreo: Unable to start the window program '%1'. %2\n")
                .arg(windowProgram, QLatin1String(GetParam().Reason)));
  EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(BookLock::LockFilePathOf(Book())));
}

INSTANTIATE_TEST_SUITE_P(
    WindowPrograms, UnstartableWindowTest,
    testing::Values(UnstartableCase{"Missing", WindowProgramFile::Missing, "Error 2 : No such file or directory."},
                    UnstartableCase{"NotExecutable", WindowProgramFile::NotExecutable, "Error 13 : Permission denied."}),
    [](const testing::TestParamInfo<UnstartableCase>& unstartable) { return std::string(unstartable.param.Name); });

}  // namespace
