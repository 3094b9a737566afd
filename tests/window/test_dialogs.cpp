// The State Abbreviations dialog of the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "core/DialogExchange.h"
#include "mainwindow/frmAbout.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmStates.h"
#include "platform/QtBusyPointer.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramIdentity.h"
#include "support/FakeClipboard.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

constexpr int kTexas = 44;

class StatesTest : public testing::Test {
 protected:
  void SetUp() override {
    StatesMemory() = {};
    InstallClipboard(&clipboard);
    clipboard.SetText("earlier");
  }
  void TearDown() override { InstallClipboard(nullptr); }
  // Chooses Texas in the dialog for target and presses Enter.
  static void EnterTexas(QWidget* target) {
    frmStates dialog(target);
    ShowActive(dialog);
    dialog.cboStates->setCurrentIndex(kTexas);
    QTest::keyClick(dialog.cboStates, Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
  }

  FakeClipboard clipboard;
  QPlainTextEdit addressBox{QStringLiteral("100 Main St\nAustin,  78701")};
};

TEST_F(StatesTest, ListsTheStatesFromAlabamaAndCancelRemembersOnlyTheState) {
  frmStates dialog(&addressBox);
  ASSERT_EQ(dialog.cboAbbreviations->count(), 52);
  for (const auto& [row, state, abbreviation] :
       {std::tuple{8, "District of Columbia", "DC"}, {39, "Puerto Rico", "PR"}, {51, "Wyoming", "WY"}})
    EXPECT_EQ(dialog.cboStates->itemText(row) + dialog.cboAbbreviations->itemText(row), QString(state) + abbreviation);
  EXPECT_EQ(dialog.cboAbbreviations->currentText(), "AL");
  EXPECT_TRUE(dialog.optCopyWhat[1]->isChecked() && dialog.cmdPaste->isDefault());
  dialog.cboStates->setCurrentIndex(kTexas);
  EXPECT_EQ(dialog.cboAbbreviations->currentText(), "TX");
  dialog.cboAbbreviations->setCurrentIndex(dialog.cboAbbreviations->findText("ME"));
  EXPECT_EQ(dialog.cboStates->currentText(), "Maine");
  dialog.cboStates->setCurrentIndex(kTexas);
  dialog.optCopyWhat[0]->setChecked(true);
  dialog.cmdCancel->click();  // remembers the state but not name or abbreviation
  EXPECT_EQ(StatesMemory().LastStateIndex, kTexas);
  EXPECT_EQ(StatesMemory().LastCopyWhat, 1);
  EXPECT_EQ(addressBox.toPlainText(), "100 Main St\nAustin,  78701");
  frmStates again(&addressBox);
  again.show();
  again.cboStates->setCurrentIndex(3);
  again.close();
  EXPECT_EQ(StatesMemory().LastStateIndex, 3);
}

TEST_F(StatesTest, EnterPastesAtTheCaretThroughTheBoxAndTheChoiceIsRemembered) {
  int changes = 0;
  QObject::connect(&addressBox, &QPlainTextEdit::textChanged, [&changes] { ++changes; });
  QTextCursor caret = addressBox.textCursor();
  caret.setPosition(static_cast<int>(QStringLiteral("100 Main St\nAustin, ").size()));
  addressBox.setTextCursor(caret);
  EnterTexas(&addressBox);
  EXPECT_EQ(addressBox.toPlainText(), "100 Main St\nAustin, TX 78701");
  EXPECT_EQ(changes, 1);
  QLineEdit nameBox(QStringLiteral("Dallas, TX"));
  nameBox.setSelection(8, 2);
  {
    frmStates again(&nameBox);
    EXPECT_EQ(again.cboStates->currentText(), "Texas");
    again.optCopyWhat[0]->setChecked(true);
    again.cmdPaste->click();
  }
  EXPECT_EQ(nameBox.text(), "Dallas, Texas");
  EXPECT_TRUE(frmStates(&nameBox).optCopyWhat[0]->isChecked());
}

TEST_F(StatesTest, WithoutATextBoxPasteIsRefusedAndEnterCopiesWithoutEmptyingTheClipboard) {
  QScrollBar scrollBar;
  for (QWidget* focused : {static_cast<QWidget*>(nullptr), static_cast<QWidget*>(&scrollBar)}) {
    EXPECT_FALSE(frmStates(focused).cmdPaste->isEnabled());
    EnterTexas(focused);
    EXPECT_EQ(clipboard.text, "TX");
  }
  EXPECT_EQ(clipboard.clears, 0);
  frmStates dialog(nullptr);
  dialog.show();
  dialog.cmdPaste_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].second, "Cannot paste at cursor. Cursor is not in a text box.");
  EXPECT_TRUE(dialog.isVisible());
}

}  // namespace

// The desktop's own busy pointer: the wait cursor while an operation runs,
// the normal pointer again after it, also when operations nest.
TEST(BusyPointerTest, TheWindowShowsTheWaitCursorForTheOperationAndRestoresIt) {
  InstallBusy(&ScreenBusyPointer());
  {
    BusyCursor outer;
    {
      BusyCursor inner;
      ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_TRUE(Busy().IsBusy());
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(Busy().IsBusy());
  Fakes().Reset();
}

// What the user reads of the program's name and version: the About box, and
// the title of every message box the desktop shows.
TEST(ProgramIdentityTest, TheAboutBoxAndEveryMessageBoxNameTheProgram) {
  frmAbout about;
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("Vantreo, Version %1").arg(QLatin1String(kProgramVersion)))) << texts.join('|').toStdString();
  EXPECT_TRUE(QString::fromLatin1(kProgramVersion).contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d$"))));
  InstallMessages(nullptr);
  QString title;
  WhenModalShown([&title](QDialog& box) {
    title = box.windowTitle();
    box.accept();
  });
  Messages().Show(MessageKind::Notice, QStringLiteral("Hello"));
  EXPECT_EQ(title, QStringLiteral("Vantreo"));
  Fakes().Reset();
}

// A book named in the settings that is no data file: the window starts
// anyway, says why, and shows an untouched new book.
TEST(StartUpTest, ABookThatIsNoDataFileIsNamedInANoticeAtStartUp) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("notes.dat"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("These are no records at all.") > 0);
  file.close();
  BookState book;
  ProgramSettings settings;
  settings.PhoneBook.DataFile = path;
  Fakes().Reset();
  frmMain window(book, settings);
  window.Form_Load();
  ASSERT_FALSE(Fakes().messages.shown.empty());
  EXPECT_EQ(Fakes().messages.shown.front(), std::pair(MessageKind::Notice, path + " is corrupt or is not a valid data file."));
  EXPECT_EQ(book.RecordCount(), 0);
}
