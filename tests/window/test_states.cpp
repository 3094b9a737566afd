#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "core/BookState.h"
#include "core/Document.h"
#include "mainwindow/frmStates.h"
#include "platform/AnsiText.h"
#include "platform/Clipboard.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

class FakeClipboard : public Clipboard {
 public:
  void Clear() override { ++clears; text.clear(); }
  void SetText(const QString& value) override { text = value; }
  QString GetText() override { return text; }
  bool HasText() override { return !text.isEmpty(); }

  QString text = QStringLiteral("earlier");
  int clears = 0;
};

constexpr int kTexas = 44;

class StatesTest : public testing::Test {
 protected:
  void SetUp() override {
    StatesMemory() = {};
    InstallClipboard(&clipboard);
    NewDocument(book);
    AddRecord(book, "Ann Lee").Address = "100 Main St\r\nAustin,  78701";
    // The address box with a change handler like the main window's.
    addressBox.setPlainText(AnsiToQString(book.Current().Address));
    QObject::connect(&addressBox, &QPlainTextEdit::textChanged, [this] {
      book.Current().Address = ToAnsi(addressBox.toPlainText().replace('\n', QLatin1String("\r\n")));
      book.Dirty = true;
    });
  }
  void TearDown() override { InstallClipboard(nullptr); }

  // Shows the dialog as the active window, so that keys reach it.
  static void Activate(frmStates& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  FakeClipboard clipboard;
  BookState book;
  QPlainTextEdit addressBox;
};

TEST_F(StatesTest, ListsEveryStateWithItsAbbreviationInTableOrder) {
  frmStates dialog(nullptr);
  ASSERT_EQ(dialog.cboStates->count(), 52);
  ASSERT_EQ(dialog.cboAbbreviations->count(), 52);
  EXPECT_EQ(dialog.cboStates->itemText(8), "District of Columbia");
  EXPECT_EQ(dialog.cboAbbreviations->itemText(8), "DC");
  EXPECT_EQ(dialog.cboStates->itemText(39), "Puerto Rico");
  EXPECT_EQ(dialog.cboAbbreviations->itemText(39), "PR");
  EXPECT_EQ(dialog.cboStates->itemText(kTexas), "Texas");
  EXPECT_EQ(dialog.cboStates->itemText(51), "Wyoming");
  EXPECT_EQ(dialog.cboAbbreviations->itemText(51), "WY");
  EXPECT_FALSE(dialog.cboStates->isEditable());
  EXPECT_FALSE(dialog.cboAbbreviations->isEditable());
}

TEST_F(StatesTest, FirstOpeningShowsAlabamaAndAbbreviation) {
  frmStates dialog(&addressBox);
  EXPECT_EQ(dialog.windowTitle(), "State Abbreviations");
  EXPECT_EQ(dialog.cboStates->currentText(), "Alabama");
  EXPECT_EQ(dialog.cboAbbreviations->currentText(), "AL");
  EXPECT_TRUE(dialog.optCopyWhat[1]->isChecked());
  EXPECT_TRUE(dialog.cmdPaste->isEnabled());
  EXPECT_TRUE(dialog.cmdPaste->isDefault());
}

TEST_F(StatesTest, ChoosingInEitherListKeepsNameAndAbbreviationTogether) {
  frmStates dialog(nullptr);
  dialog.cboStates->setCurrentIndex(kTexas);
  EXPECT_EQ(dialog.cboAbbreviations->currentText(), "TX");
  dialog.cboAbbreviations->setCurrentIndex(dialog.cboAbbreviations->findText("ME"));
  EXPECT_EQ(dialog.cboStates->currentText(), "Maine");
}

TEST_F(StatesTest, EnterPastesAbbreviationAtTheCaretAndSetsDirty) {
  QTextCursor caret = addressBox.textCursor();
  caret.setPosition(static_cast<int>(QStringLiteral("100 Main St\nAustin, ").size()));
  addressBox.setTextCursor(caret);
  book.Dirty = false;
  {
    frmStates dialog(&addressBox);
    Activate(dialog);
    dialog.cboStates->setCurrentIndex(kTexas);
    QTest::keyClick(dialog.cboStates, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
  }
  EXPECT_EQ(book.Current().Address, "100 Main St\r\nAustin, TX 78701");
  EXPECT_TRUE(book.Dirty);

  frmStates again(&addressBox);
  EXPECT_EQ(again.cboStates->currentText(), "Texas");
  EXPECT_TRUE(again.optCopyWhat[1]->isChecked());
}

TEST_F(StatesTest, PasteReplacesTheSelectionOfALineBox) {
  QLineEdit nameBox(QStringLiteral("Dallas, Texas"));
  nameBox.setSelection(8, 5);
  frmStates dialog(&nameBox);
  dialog.cboStates->setCurrentIndex(kTexas);
  dialog.cmdPaste->click();
  EXPECT_EQ(nameBox.text(), "Dallas, TX");
}

TEST_F(StatesTest, CopyingTheNamePutsItOnTheClipboardAndIsRemembered) {
  {
    frmStates dialog(&addressBox);
    dialog.cboStates->setCurrentIndex(dialog.cboStates->findText("Ohio"));
    dialog.optCopyWhat[0]->setChecked(true);
    dialog.cmdCopy->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  EXPECT_EQ(clipboard.text, "Ohio");
  EXPECT_EQ(clipboard.clears, 0);
  EXPECT_EQ(StatesMemory().LastCopyWhat, 0);
  frmStates again(&addressBox);
  EXPECT_TRUE(again.optCopyWhat[0]->isChecked());
  EXPECT_EQ(again.cboStates->currentText(), "Ohio");
}

TEST_F(StatesTest, WithoutATextBoxPasteIsDisabledAndEnterCopies) {
  QScrollBar scrollBar;
  for (QWidget* focused : {static_cast<QWidget*>(nullptr), static_cast<QWidget*>(&scrollBar)}) {
    frmStates dialog(focused);
    EXPECT_FALSE(dialog.cmdPaste->isEnabled());
    EXPECT_TRUE(dialog.cmdCopy->isDefault());
    Activate(dialog);
    dialog.cboStates->setCurrentIndex(kTexas);
    QTest::keyClick(dialog.cboStates, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(clipboard.text, "TX");
    clipboard.text.clear();
  }
}

TEST_F(StatesTest, PasteWithoutATextBoxIsRefusedAndTheDialogStaysOpen) {
  frmStates dialog(nullptr);
  dialog.show();
  dialog.cmdPaste_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Notice);
  EXPECT_EQ(Fakes().messages.shown[0].second, "Cannot paste at cursor. Cursor is not in a text box.");
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(StatesTest, CancelRemembersTheStateButNotTheChoiceOfNameOrAbbreviation) {
  {
    frmStates dialog(&addressBox);
    dialog.cboStates->setCurrentIndex(kTexas);
    dialog.optCopyWhat[0]->setChecked(true);
    dialog.cmdCancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  }
  EXPECT_EQ(StatesMemory().LastStateIndex, kTexas);
  EXPECT_EQ(StatesMemory().LastCopyWhat, 1);
  EXPECT_EQ(addressBox.toPlainText(), "100 Main St\nAustin,  78701");

  frmStates again(&addressBox);
  again.show();
  again.cboStates->setCurrentIndex(3);
  again.close();  // the window's close box
  EXPECT_EQ(StatesMemory().LastStateIndex, 3);
}

TEST_F(StatesTest, F1OpensItsTopic) {
  frmStates dialog(nullptr);
  Activate(dialog);
  QTest::keyClick(dialog.cboStates, Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1410});
}

}  // namespace
