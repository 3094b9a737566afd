#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/frmGroups.h"
#include "platform/FileDialogs.h"
#include "support/FakePlatform.h"
#include "support/FakeViewerProcess.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

const QString kCollection = QStringLiteral(VANTREO_HELP_COLLECTION);

TEST(AssistantViewer, StartsAssistantWithTheCollectionAndSendsEachRequestOnOneLine) {
  auto& process = *new FakeViewerProcess;
  AssistantHelpViewer viewer(std::unique_ptr<ViewerProcess>(&process), "/usr/bin/assistant", kCollection);
  viewer.ShowTopic(1110);
  viewer.ShowContents();
  process.running = false;  // the user closed Assistant
  viewer.ShowHowToUse();
  EXPECT_EQ(process.program, "/usr/bin/assistant");
  EXPECT_EQ(process.arguments, (QStringList{"-collectionFile", kCollection, "-enableRemoteControl"}));
  EXPECT_EQ(process.starts, 2);
  EXPECT_EQ(process.sent, (QStringList{"expandToc 1;activateIdentifier 1110;syncContents",
                                       "show contents;activateIdentifier contents;syncContents",
                                       "expandToc 1;activateIdentifier using-help;syncContents"}));
  viewer.Quit();
  EXPECT_FALSE(process.running);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST(AssistantViewer, AMissingViewerOrHelpFileIsReportedClearly) {
  struct Case { QString program, collection, startError, message; };
  for (const Case& c : {
           Case{"", kCollection, "", "Help cannot be shown because the help viewer, Qt Assistant, is not "
                                     "installed. Install the package assistant-qt6 and try again."},
           Case{"/bin/a", "/no/v.qhc", "", "Help cannot be shown because the help file '/no/v.qhc' was not found."},
           Case{"/bin/a", kCollection, "Permission denied",
                "Help cannot be shown because the help viewer '/bin/a' could not be started: Permission denied."}}) {
    Fakes().messages.shown.clear();
    auto& process = *new FakeViewerProcess;
    process.startError = c.startError;
    AssistantHelpViewer(std::unique_ptr<ViewerProcess>(&process), c.program, c.collection).ShowTopic(210);
    EXPECT_TRUE(process.sent.isEmpty());
    EXPECT_EQ(Fakes().messages.shown, (std::vector{std::make_pair(MessageKind::Notice, c.message)}));
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
    EXPECT_EQ(topic == 1110 ? FileDialog().GetOpenFileName(request, path) : FileDialog().GetSaveFileName(request, path),
              FileDialogResult::Cancelled);
    EXPECT_EQ(Fakes().help.topics, (std::vector<int>{topic, topic}));
  }
}

// The id of a child process of this one that runs program, or 0.
qint64 ChildRunning(const QString& program) {
  for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile stat("/proc/" + pid + "/stat");  // "pid (name) state parent-pid ..."
    const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 1 && fields[1].toLongLong() == QCoreApplication::applicationPid() &&
        QFileInfo("/proc/" + pid + "/exe").canonicalFilePath() == QFileInfo(program).canonicalFilePath())
      return pid.toLongLong();
  }
  return 0;
}

// Bytes in the input pipe of process pid that it has not read yet.
int UnreadInput(qint64 pid) {
  int unread = -1;
  const int fd = ::open(QByteArray("/proc/" + QByteArray::number(pid) + "/fd/0").constData(), O_RDONLY | O_NONBLOCK);
  if (fd >= 0 && ::ioctl(fd, FIONREAD, &unread) != 0) unread = -1;
  if (fd >= 0) ::close(fd);
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
  int unreadAtOnce = -1, unread = -1;
  WhenModalShown([&](QDialog& nameDialog) {
    PressInActiveWindow(nameDialog, Qt::Key_F1);
    child = ChildRunning(program);
    unreadAtOnce = UnreadInput(child);  // Assistant is still starting
    for (int tries = 0; tries < 150 && unread != 0; ++tries, QTest::qWait(200))
      unread = UnreadInput(child);
    nameDialog.reject();
  });
  groups.cmdAdd_Click();
  EXPECT_NE(child, 0);
  EXPECT_EQ(unreadAtOnce, QByteArray("expandToc 1;activateIdentifier 1250;syncContents\n").size());
  EXPECT_EQ(unread, 0);
  EXPECT_TRUE(QFileInfo::exists(dataHome.filePath(QStringLiteral("Vantreo/help/vantreo.qhc"))));
  viewer.Quit();
  EXPECT_EQ(ChildRunning(program), 0);
  InstallHelp(&Fakes().help);
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
