#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/GroupMembership.h"
#include "mainwindow/GroupComboBox.h"
#include "mainwindow/frmMultiGroups.h"
#include "platform/FontChooser.h"
#include "platform/PlatformFailure.h"
#include "print/frmAlign.h"
#include "print/frmPrint.h"
#include "print/frmReadyPage.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

const QString kFontTooBig =
    QStringLiteral("Font is too big for selected report type. Choose the Font button to select a smaller font.");
const QString kNothingToPrint =
    QStringLiteral("There are no records matching the current print criteria. Nothing to print.");
const std::string kAll(1, static_cast<char>(kSelectAllGroups));

class FakeFontChooser : public FontChooser {
 public:
  bool Choose(FontChoice& font, int helpContext) override {
    shown = font;
    context = helpContext;
    if (!answer) return false;
    font = *answer;
    return true;
  }
  std::optional<FontChoice> answer;
  FontChoice shown;
  int context = 0;
};

// Answers the next modal dialog with answer, once it is shown.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

class PrintDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(&printer);
    InstallFonts(&fonts);
    InstallReadyPage(&readyPage);
    GroupListCancelled() = false;
    book = BookWithGroups({"Work", "club", "Family"});
    AddRecord(book, "Ann Lee").Group = 0;
    AddRecord(book, "Bob Ray").Group = kNoGroup;
    AddRecord(book, "Cy Doe").Group = 2;
    settings.Printing.ShowLetters = false;
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallFonts(nullptr);
    InstallReadyPage(nullptr);
  }

  std::vector<QString> Messages() const {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  RecordingPrinter printer;
  FakeFontChooser fonts;
  FakeReadyPage readyPage;
  BookState book;
  ProgramSettings settings;
};

TEST_F(PrintDialogTest, OpensWithTheFixedEntriesAboveTheSortedGroupsAndAllGroupsSelected) {
  frmPrint dialog(book, settings);
  QStringList texts;
  QList<int> codes;
  for (int i = 0; i < dialog.cboGroups->count(); ++i) {
    texts << dialog.cboGroups->itemText(i);
    codes << dialog.cboGroups->itemData(i).toInt();
  }
  EXPECT_EQ(texts, QStringList({"<All Groups>", "<Multiple Groups...>", "<Ungrouped>", "club", "Family", "Work"}));
  EXPECT_EQ(codes, QList<int>({-3, -2, -1, 1, 2, 0}));
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 0);
  EXPECT_EQ(dialog.GroupSelection(), kAll);
  EXPECT_EQ(dialog.windowTitle(), "Print");
  EXPECT_EQ(dialog.txtTitle->maxLength(), 80);
  EXPECT_EQ(dialog.txtTitle->text(), "Vantreo");
}

TEST_F(PrintDialogTest, ShowsTheStoredOptions) {
  settings.Printing.ReportType = 1;
  settings.Printing.IncludeAddress = true;
  settings.Printing.Title = "Caf\xE9";
  frmPrint dialog(book, settings);
  EXPECT_TRUE(dialog.optReportType[1]->isChecked());
  EXPECT_TRUE(dialog.chkIncAddress->isChecked());
  EXPECT_FALSE(dialog.chkAlphaChar->isChecked());
  EXPECT_EQ(dialog.txtTitle->text(), QString::fromUtf8("Café"));
  EXPECT_TRUE(dialog.cmdAlign->isEnabled());
}

TEST_F(PrintDialogTest, LabelsGreyTheirControlsButOKStillStoresThem) {
  frmPrint dialog(book, settings);
  dialog.optReportType[2]->setChecked(true);
  EXPECT_FALSE(dialog.txtTitle->isEnabled());
  EXPECT_FALSE(dialog.chkIncAddress->isEnabled());
  EXPECT_FALSE(dialog.chkAlphaChar->isEnabled());
  EXPECT_FALSE(dialog.cmdAlign->isEnabled());
  dialog.chkAlphaChar->setChecked(true);
  dialog.chkIncAddress->setChecked(true);
  dialog.cmdOK_Click();
  EXPECT_EQ(settings.Printing.ReportType, 2);
  EXPECT_TRUE(settings.Printing.ShowLetters);
  EXPECT_TRUE(settings.Printing.IncludeAddress);
  dialog.optReportType[0]->setChecked(true);
  EXPECT_TRUE(dialog.txtTitle->isEnabled());
  EXPECT_FALSE(dialog.cmdAlign->isEnabled());
}

TEST_F(PrintDialogTest, OKStoresTheOptionsAndPrintsTheSortedRecords) {
  frmPrint dialog(book, settings);
  dialog.txtTitle->setText(QStringLiteral("Friends"));
  dialog.cmdOK_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(settings.Printing.Title, "Friends");
  EXPECT_EQ(settings.Printing.ReportType, 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(printer.Documents(), 1);
  EXPECT_EQ(printer.TextOf("Friends").y, (1220 - 240) / 2.0);
  // Sorted by last name: Doe, Lee, Ray.
  EXPECT_LT(printer.TextOf("Cy Doe").y, printer.TextOf("Ann Lee").y);
  EXPECT_LT(printer.TextOf("Ann Lee").y, printer.TextOf("Bob Ray").y);
}

TEST_F(PrintDialogTest, AFontTooBigIsRefusedAndASmallerOnePrints) {
  printer.heightPerPoint = 20;
  settings.Printing.FontSize = 14;  // 5040 / 280 - 2 = 16 lines
  frmPrint dialog(book, settings);
  dialog.optReportType[1]->setChecked(true);
  dialog.cmdOK_Click();
  EXPECT_EQ(Messages(), std::vector<QString>{kFontTooBig});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(printer.ops.empty());
  EXPECT_EQ(settings.Printing.ReportType, 1);

  fonts.answer = FontChoice{QStringLiteral("Courier"), 12, false, false};
  dialog.cmdFonts_Click();
  dialog.cmdOK_Click();
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(readyPage.prompts.size(), 1u);
  EXPECT_EQ(printer.Documents(), 2);
}

TEST_F(PrintDialogTest, NothingToPrintKeepsTheDialogOpen) {
  AddGroup(book, "Empty");
  frmPrint dialog(book, settings);
  dialog.cboGroups->setCurrentIndex(dialog.cboGroups->findText(QStringLiteral("Empty")));
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), std::string(1, '\3'));
  dialog.cmdOK_Click();
  EXPECT_EQ(Messages(), std::vector<QString>{kNothingToPrint});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(printer.ops.empty());
}

TEST_F(PrintDialogTest, AFailingPrinterIsReportedAndTheDialogStaysOpen) {
  frmPrint dialog(book, settings);
  struct FailingPrinter : RecordingPrinter {
    double TextHeight(const std::string&) override {
      throw PlatformFailure(PlatformError{482, QStringLiteral("Printer error")});
    }
  } failing;
  InstallPrinter(&failing);
  dialog.cmdOK_Click();
  EXPECT_EQ(Messages(), std::vector<QString>{"Unable to print records. Error 482 : Printer error."});
  EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(PrintDialogTest, UngroupedAndSingleGroupSelections) {
  frmPrint dialog(book, settings);
  dialog.cboGroups->setCurrentIndex(2);
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), std::string(1, static_cast<char>(kSelectUngrouped)));
  dialog.cboGroups->setCurrentIndex(dialog.cboGroups->findText(QStringLiteral("Family")));
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), std::string(1, '\2'));
  EXPECT_EQ(dialog.cboGroups->currentText(), "Family");
  dialog.cmdOK_Click();
  EXPECT_EQ(printer.TextOf("Cy Doe").document, 1);
  EXPECT_EQ(printer.Texts().size(), 4u);  // title, date, page number and the one record
}

TEST_F(PrintDialogTest, EscapeInTheOpenListKeepsThePreviousChoice) {
  frmPrint dialog(book, settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.cboGroups->setFocus();
  QTest::keyClick(dialog.cboGroups, Qt::Key_Down);
  ASSERT_TRUE(dialog.cboGroups->view()->isVisible());
  dialog.cboGroups->setCurrentIndex(2);
  QTest::keyClick(dialog.cboGroups->view(), Qt::Key_Escape);
  QTRY_VERIFY(!GroupListCancelled());
  EXPECT_EQ(dialog.GroupSelection(), kAll);
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 0);
}

TEST_F(PrintDialogTest, MultipleGroupsWithoutGroupsIsRefused) {
  BookState plain = BookWithGroups({});
  frmPrint dialog(plain, settings);
  dialog.cboGroups->setCurrentIndex(1);
  dialog.OnGroupCloseUp();
  EXPECT_EQ(Messages(),
            std::vector<QString>{"There are no groups to select from. You cannot select multiple groups."});
  EXPECT_EQ(dialog.GroupSelection(), kAll);
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 0);
}

// Chooses the rows of the multiple-group dialog with these texts and confirms.
void ChooseGroups(QStringList texts) {
  WhenShown<frmMultiGroups>([texts](frmMultiGroups& groups) {
    for (int row = 0; row < groups.lstGroups->count(); ++row)
      groups.lstGroups->item(row)->setSelected(texts.contains(groups.lstGroups->item(row)->text()));
    groups.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
  });
}

TEST_F(PrintDialogTest, MultipleGroupsChoices) {
  frmPrint dialog(book, settings);
  dialog.cboGroups->setCurrentIndex(1);
  ChooseGroups({"Work", "<Ungrouped>"});
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), (std::string{'\xFF', '\0'}));
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 1);

  dialog.cboGroups->setCurrentIndex(1);
  ChooseGroups({"club"});
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), std::string(1, '\1'));
  EXPECT_EQ(dialog.cboGroups->currentText(), "club");

  dialog.cboGroups->setCurrentIndex(1);
  ChooseGroups({"Work", "club", "Family", "<Ungrouped>"});
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), kAll);
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 0);

  dialog.cboGroups->setCurrentIndex(1);
  ChooseGroups({});
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), kAll);
}

TEST_F(PrintDialogTest, CancellingTheMultipleGroupDialogKeepsTheSelection) {
  frmPrint dialog(book, settings);
  dialog.cboGroups->setCurrentIndex(2);
  dialog.OnGroupCloseUp();
  dialog.cboGroups->setCurrentIndex(1);
  WhenShown<frmMultiGroups>([](frmMultiGroups& groups) { groups.reject(); });
  dialog.OnGroupCloseUp();
  EXPECT_EQ(dialog.GroupSelection(), std::string(1, '\xFF'));
  EXPECT_EQ(dialog.cboGroups->currentIndex(), 2);
}

TEST_F(PrintDialogTest, FontsRoundsTheSizeHalfToEvenAndKeepsTheChoiceAfterCancel) {
  settings.Printing.FontName = QStringLiteral("Times New Roman");
  settings.Printing.FontSize = 12;
  {
    frmPrint dialog(book, settings);
    fonts.answer = FontChoice{QStringLiteral("Arial"), 9.5, true, true};
    dialog.cmdFonts_Click();
    dialog.cmdCancel->click();
  }
  EXPECT_EQ(fonts.context, 1810);
  EXPECT_EQ(fonts.shown.Name, "Times New Roman");
  EXPECT_EQ(fonts.shown.Size, 12);
  EXPECT_EQ(settings.Printing.FontName, "Arial");
  EXPECT_EQ(settings.Printing.FontSize, 10);
  EXPECT_TRUE(settings.Printing.FontBold);
  EXPECT_TRUE(settings.Printing.FontItalic);

  frmPrint dialog(book, settings);
  fonts.answer = FontChoice{QStringLiteral("Arial"), 8.5, false, false};
  dialog.cmdFonts_Click();
  EXPECT_EQ(settings.Printing.FontSize, 8);
  fonts.answer.reset();
  dialog.cmdFonts_Click();
  EXPECT_EQ(settings.Printing.FontSize, 8);
}

TEST_F(PrintDialogTest, HelpOpensItsTopic) {
  frmPrint dialog(book, settings);
  dialog.cmdHelp->click();
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1140});
}

class AlignDialogTest : public testing::Test {
 protected:
  void SetUp() override { InstallPrinter(&printer); }
  void TearDown() override { InstallPrinter(nullptr); }

  static QString Invalid(const QString& text) {
    return QStringLiteral("'%1' is not a valid offset. Please enter a number between -1.00 and 1.00.").arg(text);
  }

  RecordingPrinter printer;
  ProgramSettings settings;
};

TEST_F(AlignDialogTest, ShowsTheOffsetsWithTwoDecimals) {
  settings.Printing.XOffset = 0.5f;
  settings.Printing.YOffset = -0.25f;
  frmAlign dialog(settings);
  EXPECT_EQ(dialog.windowTitle(), "Align");
  EXPECT_EQ(dialog.txtOffset[0]->text(), "0.50");
  EXPECT_EQ(dialog.txtOffset[1]->text(), "-0.25");
}

TEST_F(AlignDialogTest, OKStoresTheBoxesAndAnEmptyBoxIsZero) {
  settings.Printing.YOffset = 0.3f;
  frmAlign dialog(settings);
  dialog.txtOffset[0]->setText(QStringLiteral("1"));
  dialog.txtOffset[1]->clear();
  dialog.cmdOK_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FLOAT_EQ(settings.Printing.XOffset, 1.0f);
  EXPECT_FLOAT_EQ(settings.Printing.YOffset, 0.0f);
  EXPECT_EQ(dialog.txtOffset[0]->text(), "1.00");
  EXPECT_EQ(dialog.txtOffset[1]->text(), "0.00");
}

TEST_F(AlignDialogTest, OutOfRangeOrNonNumbersAreRefusedWithTheFocusInTheBox) {
  frmAlign dialog(settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  for (const QString& text : {QStringLiteral("1.5"), QStringLiteral("-1.01"), QStringLiteral("abc"),
                              QStringLiteral("nan")}) {
    Fakes().messages.shown.clear();
    dialog.txtOffset[0]->setText(QStringLiteral("0"));
    dialog.txtOffset[1]->setText(text);
    dialog.cmdOK->setFocus();
    dialog.cmdOK_Click();
    ASSERT_EQ(Fakes().messages.shown.size(), 1u) << text.toStdString();
    EXPECT_EQ(Fakes().messages.shown[0].second, Invalid(text));
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtOffset[1]);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
  }
  EXPECT_FLOAT_EQ(settings.Printing.YOffset, 0.0f);
}

TEST_F(AlignDialogTest, TheLimitsAreAccepted) {
  frmAlign dialog(settings);
  dialog.txtOffset[0]->setText(QStringLiteral("-1"));
  dialog.txtOffset[1]->setText(QStringLiteral("1"));
  dialog.cmdOK_Click();
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_FLOAT_EQ(settings.Printing.XOffset, -1.0f);
  EXPECT_FLOAT_EQ(settings.Printing.YOffset, 1.0f);
}

TEST_F(AlignDialogTest, FocusOnAnEmptyBoxPutsZeroInItSelected) {
  frmAlign dialog(settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.txtOffset[1]->clear();
  dialog.txtOffset[1]->setFocus();
  EXPECT_EQ(dialog.txtOffset[1]->text(), "0");
  QTRY_COMPARE(dialog.txtOffset[1]->selectedText(), QStringLiteral("0"));
}

TEST_F(AlignDialogTest, TestPrintPrintsBothSidesWithTheBoxOffsetsAndStoresNothing) {
  frmAlign dialog(settings);
  dialog.txtOffset[0]->setText(QStringLiteral("0.5"));
  Fakes().messages.answers = {MessageAnswer::OK};
  dialog.cmdTest_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0],
            std::make_pair(MessageKind::PrinterPrompt, QStringLiteral("Prepare printer for printing side B.")));
  ASSERT_EQ(printer.Documents(), 2);
  EXPECT_EQ(printer.TextOf("Test Align - Side A").document, 1);
  EXPECT_EQ(printer.TextOf("Test Align - Side B").document, 2);
  const std::vector<PrintedOp> front = printer.LinesOn(1, 1);
  const std::vector<PrintedOp> back = printer.LinesOn(2, 1);
  ASSERT_EQ(front.size(), 18u);
  ASSERT_EQ(back.size(), 18u);
  for (size_t k = 0; k < front.size(); ++k) EXPECT_DOUBLE_EQ(back[k].x, front[k].x + 720);
  dialog.cmdCancel->click();
  EXPECT_FLOAT_EQ(settings.Printing.XOffset, 0.0f);
}

TEST_F(AlignDialogTest, CancellingTheSideBPromptEndsTheTest) {
  frmAlign dialog(settings);
  dialog.cmdTest_Click();  // the fake answers Cancel
  EXPECT_EQ(printer.Documents(), 1);
}

TEST_F(AlignDialogTest, TestPrintNeedsValidOffsets) {
  frmAlign dialog(settings);
  dialog.txtOffset[0]->setText(QStringLiteral("2"));
  dialog.cmdTest_Click();
  EXPECT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(printer.ops.empty());
}

TEST(ReadyPageTest, ShowsTheSheetAndAnswersOKOrAbort) {
  Exchange().DialogText = "Page 2 - Side B";
  bool promptEachPage = true;
  {
    frmReadyPage dialog(promptEachPage);
    EXPECT_EQ(dialog.windowTitle(), "Prepare Printer");
    EXPECT_EQ(dialog.lblPrompt->text(),
              "Prepare printer for printing Page 2 - Side B. Select Help for more information.");
    EXPECT_TRUE(dialog.chkEachPage->isChecked());
    EXPECT_EQ(Exchange().DialogOK, 1);
    dialog.chkEachPage->setChecked(false);
    dialog.cmdAbort->click();
    EXPECT_EQ(Exchange().DialogOK, 0);
    EXPECT_TRUE(promptEachPage);
  }
  {
    frmReadyPage dialog(promptEachPage);
    dialog.chkEachPage->setChecked(false);
    dialog.cmdOK->click();
    EXPECT_EQ(Exchange().DialogOK, 1);
    EXPECT_FALSE(promptEachPage);
  }
  frmReadyPage dialog(promptEachPage);
  EXPECT_FALSE(dialog.chkEachPage->isChecked());
  dialog.reject();  // closed by other means: printing goes on
  EXPECT_EQ(Exchange().DialogOK, 1);
  dialog.cmdHelp->click();
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1830});
}

TEST(ReadyPageTest, TheDefaultPromptRunsTheDialog) {
  bool promptEachPage = true;
  WhenShown<frmReadyPage>([](frmReadyPage& dialog) { dialog.cmdAbort->click(); });
  EXPECT_FALSE(ReadyPage().Ask("Page 1 - Side B", promptEachPage));
  WhenShown<frmReadyPage>([](frmReadyPage& dialog) {
    EXPECT_TRUE(dialog.lblPrompt->text().contains(QStringLiteral("Page 1 - Side B")));
    dialog.cmdOK->click();
  });
  EXPECT_TRUE(ReadyPage().Ask("Page 1 - Side B", promptEachPage));
}

}  // namespace
