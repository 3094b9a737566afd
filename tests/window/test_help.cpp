// Help: the help collection built from the help file, the keys and buttons that
// open its topics, and the viewer process that shows them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <iostream>

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QHelpEngineCore>
#include <QHelpLink>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "core/DialogExchange.h"
#include "core/Termination.h"
#include "core/frmGroups.h"
#include "core/frmMultiGroups.h"
#include "core/frmSettings.h"
#include "find/frmSearch.h"
#include "find/frmSort.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmStates.h"
#include "print/frmPrint.h"
#include "platform/FileDialogs.h"
#include "support/ChildSide.h"
#include "support/FakePlatform.h"
#include "support/FakeViewerProcess.h"
#include "support/ModalDialogs.h"
#include "support/RealComponent.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

const QString kCollection = QStringLiteral(VANTREO_HELP_COLLECTION);

// Every help context number the program's windows, menu items and common dialogs open.
constexpr int kHelpContexts[] = {210,  1100, 1110, 1120, 1130, 1135, 1140, 1190, 1210, 1220, 1230, 1240, 1250,
                                 1310, 1320, 1330, 1340, 1350, 1360, 1410, 1420, 1440, 1590, 1810, 1820, 1830,
                                 1840, 1850, 1860, 1870, 1620, 1630, 1640, 1370, 1150, 1760, 1761, 1762, 1763};

// In the collection the build made from the help file; every context number has a topic.
TEST(HelpCollection, EveryTopicOpensAPageOfItsOwnWithItsHeadingOnTop) {
  QHelpEngineCore engine(kCollection);
  engine.setReadOnly(true);
  ASSERT_TRUE(engine.setupData()) << engine.error().toStdString();
  QFile source(QStringLiteral(VANTREO_RESOURCES_DIR "/QUILLBOX.html"));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly));
  QStringList topics;
  for (const QRegularExpressionMatch& match :
       QRegularExpression(QStringLiteral(R"re(<h2><a name="([^"]+)">)re")).globalMatch(QString::fromUtf8(source.readAll())))
    topics << match.captured(1);
  EXPECT_TRUE(topics.contains(QLatin1String(kHelpOnHelpAnchor)));
  for (const int context : kHelpContexts) EXPECT_TRUE(topics.contains(QString::number(context))) << context;
  for (const QString& topic : topics) {
    const QList<QHelpLink> links = engine.documentsForIdentifier(topic);
    ASSERT_EQ(links.size(), 1) << topic.toStdString();
    const QString page = QString::fromUtf8(engine.fileData(links[0].url));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral(R"re(<body>\s*<h2><a name="%1">)re").arg(topic))))
        << topic.toStdString();
    EXPECT_EQ(page.count(QLatin1String("<h2")), 1) << topic.toStdString();
  }
}

// The heading of the help file's topic with the context number, as the help shows it; empty for none.
QString HelpHeading(int context) {
  QFile source(QStringLiteral(VANTREO_RESOURCES_DIR "/QUILLBOX.html"));
  if (!source.open(QIODevice::ReadOnly)) return {};
  const QRegularExpression heading(QStringLiteral(R"re(<h2><a name="%1">([^<]*)</a></h2>)re").arg(context));
  return heading.match(QString::fromUtf8(source.readAll())).captured(1);
}

// F1, and the Help button where there is one, open the topic whose heading names the window.
TEST(HelpKeys, EachWindowOpensTheTopicThatNamesIt) {
  BookState book = BookWithGroups({"Work"});
  ProgramSettings settings;
  const std::pair<std::function<QWidget*()>, const char*> windows[] = {
      {[&] { return new frmMain(book, settings); }, nullptr},
      {[&] { return new frmSearch(settings.Search); }, nullptr},
      {[&] { return new frmSort(book); }, "cmdHelp"},
      {[] { return new frmStates(nullptr); }, nullptr},
      {[] { return new frmAbout; }, nullptr},
      {[&] { return new frmMultiGroups(book); }, "cmdHelp"},
      {[&] { return new frmPrint(book, settings); }, "cmdHelp"},
      {[&] { return new frmSettings(settings); }, nullptr},
  };
  for (const auto& [make, helpButton] : windows) {
    Fakes().help.topics.clear();
    const std::unique_ptr<QWidget> window(make());
    const QString title = qobject_cast<frmMain*>(window.get()) ? QStringLiteral("The main window") : window->windowTitle();
    PressInActiveWindow(*window, Qt::Key_F1);
    if (helpButton) window->findChild<QPushButton*>(helpButton)->click();
    ASSERT_EQ(Fakes().help.topics.size(), helpButton ? 2u : 1u) << title.toStdString();
    for (const int topic : Fakes().help.topics)
      EXPECT_EQ(HelpHeading(topic).section(QStringLiteral(" ("), 0, 0), title) << topic;
  }
}

// F1 on a highlighted menu item opens the topic whose heading names the item and its menu.
TEST(HelpKeys, EachMenuItemOpensTheTopicThatNamesIt) {
  BookState book = BookWithGroups({"Work"});
  AddRecord(book, "Ann");
  ProgramSettings settings;
  frmMain window(book, settings);
  window.RefreshView();
  ShowActive(window);
  int items = 0;
  for (QAction* menuItem : window.menuBar()->actions()) {
    QMenu* menu = menuItem->menu();
    const QString menuName = menuItem->text().remove('&');
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    for (QAction* item : menu->actions()) {
      if (item->isSeparator()) continue;
      item->setEnabled(true);  // Cut, Copy and Paste, greyed without a selection, have their topics too
      Fakes().help.topics.clear();
      menu->setActiveAction(item);
      QTest::keyClick(menu, Qt::Key_F1);
      const QString name = item->text().remove('&').remove(QStringLiteral("..."));
      if (Fakes().help.topics.empty() && menuName == "Help") continue;  // Help Topics and How To Use Help
      ASSERT_EQ(Fakes().help.topics.size(), 1u) << name.toStdString();
      const QString heading = HelpHeading(Fakes().help.topics[0]);
      EXPECT_TRUE(heading.contains(name, Qt::CaseInsensitive)) << name.toStdString() << ": " << heading.toStdString();
      EXPECT_TRUE(heading.contains("(" + menuName + " menu")) << name.toStdString() << ": " << heading.toStdString();
      ++items;
    }
    menu->hide();
  }
  EXPECT_GE(items, 25);
}

TEST(AssistantViewer, StartsAssistantWithTheCollectionSendsEachRequestOnOneLineOrSaysWhyNot) {
  auto& process = *new FakeViewerProcess;
  AssistantHelpViewer viewer(std::unique_ptr<ViewerProcess>(&process), "/usr/bin/assistant", kCollection);
  viewer.ShowTopic(1110);
  viewer.ShowContents();
  process.running = false;  // the user closed Assistant
  viewer.ShowHowToUse();
  EXPECT_EQ(process.program + ' ' + process.arguments.join(' '),
            "/usr/bin/assistant -collectionFile " + kCollection + " -enableRemoteControl");
  EXPECT_EQ(process.sent, (QStringList{"expandToc 1;activateIdentifier 1110;syncContents",
                                       "show contents;activateIdentifier contents;syncContents",
                                       "expandToc 1;activateIdentifier using-help;syncContents"}));
  viewer.Quit();
  EXPECT_FALSE(process.running);
  EXPECT_TRUE(Fakes().messages.shown.empty());
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

TEST(FileDialogHelp, OpenAndSaveAsOfferAHelpButtonAndF1ForTheirTopic) {
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

// The id of the child process of this one that runs program, or 0.
qint64 ChildRunning(const QString& program) {
  QFile children(QStringLiteral("/proc/self/task/%1/children").arg(QCoreApplication::applicationPid()));
  const QString pids = children.open(QIODevice::ReadOnly) ? QString::fromLatin1(children.readAll()) : QString();
  for (const QString& pid : pids.split(' ', Qt::SkipEmptyParts))
    if (QFileInfo("/proc/" + pid + "/exe").canonicalFilePath() == QFileInfo(program).canonicalFilePath())
      return pid.toLongLong();
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
    for (QDeadlineTimer deadline(60000); unread != 0 && !deadline.hasExpired(); QTest::qWait(100))
      unread = UnreadInput(child);
    nameDialog.reject();
  });
  groups.cmdAdd_Click();
  InstallHelp(&Fakes().help);
  if (child == 0) SKIP_OR_FAIL_NOT_STARTED("Qt Assistant", "no process of it ran");
  EXPECT_EQ(unreadAtOnce, QByteArray("expandToc 1;activateIdentifier 1250;syncContents\n").size());
  EXPECT_EQ(unread, 0);
  viewer.Quit();
  EXPECT_EQ(ChildRunning(program), 0);
}

// The program the test below ends. Shows a topic in a real Qt Assistant,
// names Assistant's process and waits to be ended.
CHILD_SIDE(HelpShownUntilEnded) {
  AssistantHelpViewer viewer(NewViewerProcess(), AssistantProgram(), kCollection);
  EndSafelyWhenTerminated(Book());
  viewer.ShowTopic(210);
  std::cout << "assistant " << ChildRunning(AssistantProgram()) << std::endl;
  QEventLoop().exec();
}

// True when process pid has ended (perhaps not yet reaped).
bool Ended(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return true;
  const QByteArray text = stat.readAll();
  const qsizetype state = text.lastIndexOf(") ") + 2;
  return state >= 2 && state < text.size() && (text[state] == 'Z' || text[state] == 'X');
}

// Help leaves nothing running behind the program, however it ends: the
// termination signals stop Assistant as Exit does, and the system ends it
// should the program be killed outright.
TEST(RealAssistant, EndsWithTheProgramEndedBySignalOrKilled) {
  if (AssistantProgram().isEmpty()) GTEST_SKIP() << "Qt Assistant (assistant-qt6) is not installed";
  QTemporaryDir home;  // for Assistant's working copy of the collection
  for (const int signal : {SIGTERM, SIGKILL}) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    // Assistant writes its messages where the program does: into a file, as into a terminal or a session
    // log, not into a pipe that ends with the program and would end Assistant by a broken pipe.
    program.setStandardErrorFile(home.filePath(QStringLiteral("messages.txt")));
    StartChildSide(program, "HelpShownUntilEnded", environment);
    qint64 assistant = 0;
    for (QDeadlineTimer deadline(60000); assistant == 0 && program.waitForReadyRead(deadline.remainingTime());)
      while (program.canReadLine())
        if (const QByteArray line = program.readLine().trimmed(); line.startsWith("assistant "))
          assistant = line.mid(10).toLongLong();
    if (assistant == 0) {
      program.kill();
      program.waitForFinished();
      SKIP_OR_FAIL_NOT_STARTED("Qt Assistant", "the program showing help named no process of it");
    }
    ::kill(static_cast<pid_t>(program.processId()), signal);
    program.waitForFinished();
    for (QDeadlineTimer deadline(30000); !Ended(assistant) && !deadline.hasExpired();) QThread::msleep(50);
    EXPECT_TRUE(Ended(assistant)) << "after signal " << signal;
    if (!Ended(assistant)) ::kill(static_cast<pid_t>(assistant), SIGKILL);
  }
}

}  // namespace
