#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/frmGroups.h"
#include "platform/AssistantHelpViewer.h"
#include "platform/FileDialogs.h"
#include "support/FakePlatform.h"
#include "support/FakeViewerProcess.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

const QString kCollection = QStringLiteral(VANTREO_HELP_COLLECTION);

class AssistantViewerTest : public testing::Test {
 protected:
  FakeViewerProcess& process = *new FakeViewerProcess;
  AssistantHelpViewer viewer{std::unique_ptr<ViewerProcess>(&process), QStringLiteral("/usr/bin/assistant"),
                             kCollection};
};

TEST_F(AssistantViewerTest, StartsAssistantOnceWithTheCollectionAndSendsEachRequestOnOneLine) {
  viewer.ShowTopic(1110);
  EXPECT_EQ(process.program, "/usr/bin/assistant");
  EXPECT_EQ(process.arguments, (QStringList{"-collectionFile", kCollection, "-enableRemoteControl"}));
  viewer.ShowContents();
  viewer.ShowHowToUse();
  EXPECT_EQ(process.starts, 1);
  EXPECT_EQ(process.sent, (QStringList{"expandToc 1;activateIdentifier 1110;syncContents",
                                       "show contents;activateIdentifier contents;syncContents",
                                       "activateIdentifier using-help;syncContents"}));
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(AssistantViewerTest, AViewerTheUserClosedIsStartedAgainAndQuitStopsIt) {
  viewer.ShowTopic(210);
  process.running = false;
  viewer.ShowTopic(1330);
  EXPECT_EQ(process.starts, 2);
  EXPECT_EQ(process.sent.last(), "expandToc 1;activateIdentifier 1330;syncContents");
  viewer.Quit();
  EXPECT_FALSE(process.running);
}

TEST(AssistantViewer, AMissingViewerOrHelpFileIsReportedClearly) {
  struct Case { QString program, collection, startError, message; };
  const Case cases[] = {
      {"", kCollection, "",
       "Help cannot be shown because the help viewer, Qt Assistant, is not installed. "
       "Install the package assistant-qt6 and try again."},
      {"/usr/bin/assistant", "/nowhere/vantreo.qhc", "",
       "Help cannot be shown because the help file '/nowhere/vantreo.qhc' was not found."},
      {"/usr/bin/assistant", kCollection, "Permission denied",
       "Help cannot be shown because the help viewer '/usr/bin/assistant' could not be started: Permission denied."},
  };
  for (const Case& c : cases) {
    Fakes().messages.shown.clear();
    auto* process = new FakeViewerProcess;
    process->startError = c.startError;
    AssistantHelpViewer viewer(std::unique_ptr<ViewerProcess>(process), c.program, c.collection);
    viewer.ShowTopic(210);
    EXPECT_TRUE(process->sent.isEmpty());
    ASSERT_EQ(Fakes().messages.shown.size(), 1u);
    EXPECT_EQ(Fakes().messages.shown[0], std::make_pair(MessageKind::Notice, c.message));
  }
}

TEST(FileDialogHelp, OpenAndSaveAsOfferAHelpButtonForTheirTopic) {
  for (const int topic : {1110, 1130}) {
    Fakes().help.topics.clear();
    WhenModalShown([](QDialog& dialog) {
      if (auto* buttons = dialog.findChild<QDialogButtonBox*>(); buttons && buttons->button(QDialogButtonBox::Help))
        QTest::mouseClick(buttons->button(QDialogButtonBox::Help), Qt::LeftButton);
      PressInActiveWindow(dialog, Qt::Key_F1);
      dialog.reject();
    });
    QString path;
    const FileDialogRequest request{"", "Vantreo Files (*.dat)|*.dat", "dat", "", true, topic};
    const FileDialogResult result = topic == 1110 ? FileDialog().GetOpenFileName(request, path)
                                                  : FileDialog().GetSaveFileName(request, path);
    EXPECT_EQ(result, FileDialogResult::Cancelled);
    EXPECT_EQ(Fakes().help.topics, (std::vector<int>{topic, topic}));
  }
}

// The id of the process running program that this process started, or 0.
qint64 ChildRunning(const QString& program) {
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
    if (entry.toLongLong() == 0 || !stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray text = stat.readAll();  // "pid (name) state parent-pid ..."
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(entry)).canonicalFilePath();
    if (fields.size() > 1 && fields[1].toLongLong() == QCoreApplication::applicationPid() &&
        exe == QFileInfo(program).canonicalFilePath())
      return entry.toLongLong();
  }
  return 0;
}

// Bytes waiting in the input pipe of process pid that it has not read yet.
int UnreadInput(qint64 pid) {
  int unread = -1;
  const int fd = ::open(QStringLiteral("/proc/%1/fd/0").arg(pid).toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return unread;
  if (::ioctl(fd, FIONREAD, &unread) != 0) unread = -1;
  ::close(fd);
  return unread;
}

// F1 in a modal dialog reaches a real Qt Assistant, a process of its own,
// which reads the topic while the dialog stays open.
TEST(RealAssistant, ReadsTheTopicAsAProcessOfItsOwnWhileADialogIsOpen) {
  const QString program = AssistantProgram();
  if (program.isEmpty()) GTEST_SKIP() << "Qt Assistant (assistant-qt6) is not installed";
  QTemporaryDir dataHome;  // for Assistant's working copy of the collection
  qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  AssistantHelpViewer viewer(NewViewerProcess(), program, kCollection);
  InstallHelp(&viewer);
  BookState book = BookWithGroups({"Work"});
  Exchange().ListMode = kListModeGroups;
  frmGroups groups(book);
  qint64 child = 0;
  int unreadAtOnce = -1;
  int unread = -1;
  bool dialogOpen = false;
  WhenModalShown([&](QDialog& nameDialog) {
    PressInActiveWindow(nameDialog, Qt::Key_F1);
    child = ChildRunning(program);
    unreadAtOnce = UnreadInput(child);  // Assistant is still starting and has not read yet
    for (int tries = 0; tries < 150 && unread != 0; ++tries) {
      QTest::qWait(200);
      unread = UnreadInput(child);
    }
    dialogOpen = nameDialog.isVisible();
    nameDialog.reject();
  });
  groups.cmdAdd_Click();
  EXPECT_NE(child, 0);
  EXPECT_EQ(unreadAtOnce, QByteArray("expandToc 1;activateIdentifier 1250;syncContents\n").size());
  EXPECT_EQ(unread, 0);
  EXPECT_TRUE(dialogOpen);
  EXPECT_TRUE(QFileInfo::exists(dataHome.filePath(QStringLiteral("Vantreo/help/vantreo.qhc"))));
  viewer.Quit();
  EXPECT_EQ(ChildRunning(program), 0);
  InstallHelp(&Fakes().help);
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
