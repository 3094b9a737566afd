#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "mainwindow/ApplicationIcon.h"
#include "mainwindow/frmAbout.h"
#include "platform/Shell.h"
#include "support/FakePlatform.h"

namespace {

// A shell that records what it was asked to open and may fail the request.
class FakeShell : public Shell {
 public:
  std::optional<PlatformError> Open(const QString& address) override {
    opened.push_back(address);
    busyWhileOpening = Fakes().busy.IsBusy();
    return failure;
  }

  std::vector<QString> opened;
  std::optional<PlatformError> failure;
  bool busyWhileOpening = false;
};

class AboutTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallShell(&shell);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void TearDown() override { InstallShell(nullptr); }

  void ClickLink(Qt::MouseButton button) { QTest::mouseClick(dialog.lblInternetLink, button); }

  FakeShell shell;
  frmAbout dialog;
};

TEST_F(AboutTest, ShowsNameVersionIconAndLink) {
  EXPECT_EQ(dialog.windowTitle(), "About");
  bool versionShown = false;
  bool iconShown = false;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    versionShown |= label->text() == "Vantreo, Version 1.02";
    iconShown |= !label->pixmap().isNull();
  }
  EXPECT_TRUE(versionShown);
  EXPECT_TRUE(iconShown);
  EXPECT_EQ(dialog.lblInternetLink->text(), kMakerWebAddress);
  EXPECT_EQ(dialog.lblInternetLink->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutTest, LeftClickOpensTheSiteWithTheWaitPointerAndKeepsTheDialogOpen) {
  ClickLink(Qt::LeftButton);
  EXPECT_EQ(shell.opened, std::vector<QString>{kMakerWebAddress});
  EXPECT_TRUE(shell.busyWhileOpening);
  EXPECT_FALSE(Fakes().busy.IsBusy());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(AboutTest, OtherButtonsDoNothing) {
  ClickLink(Qt::RightButton);
  ClickLink(Qt::MiddleButton);
  EXPECT_TRUE(shell.opened.empty());
  EXPECT_EQ(Fakes().busy.timesShown, 0);
}

TEST_F(AboutTest, FailedRequestIsReportedAndTheDialogStaysOpen) {
  shell.failure = PlatformError{2, "No program could be started to open the address"};
  ClickLink(Qt::LeftButton);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Notice);
  EXPECT_EQ(Fakes().messages.shown[0].second,
            "Unable to load internet web site : No program could be started to open the address (Error 2)");
  EXPECT_FALSE(Fakes().busy.IsBusy());
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AboutTest, EnterAndEscapeBothClose) {
  EXPECT_TRUE(dialog.cmdOK->isDefault());
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());

  frmAbout second;
  second.show();
  QApplication::setActiveWindow(&second);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
  QTest::keyClick(&second, Qt::Key_Escape);
  EXPECT_FALSE(second.isVisible());
}

TEST_F(AboutTest, F1OpensItsTopic) {
  QTest::keyClick(&dialog, Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1590});
}

// Stands in for the desktop's browser.
class BrowserStandIn : public QObject {
  Q_OBJECT

 public Q_SLOTS:
  void Open(const QUrl& url) { opened.push_back(url); }

 public:
  std::vector<QUrl> opened;
};

TEST(DesktopShellTest, OpensTheMakersSiteInTheBrowser) {
  InstallShell(nullptr);
  BrowserStandIn browser;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
  EXPECT_FALSE(DesktopShell().Open(QLatin1String(kMakerWebAddress)));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  EXPECT_EQ(browser.opened, std::vector<QUrl>{QUrl(QLatin1String(kMakerWebAddress))});
}

TEST(ApplicationIconTest, DrawsAtToolbarAndWindowSizes) {
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  for (int size : {16, 24, 48, 256}) EXPECT_EQ(icon.pixmap(size, size).width(), size) << size;
}

}  // namespace

#include "test_about.moc"
