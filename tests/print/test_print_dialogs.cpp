#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "core/SettingsIO.h"
#include "core/frmMultiGroups.h"
#include "platform/FontChooser.h"
#include "print/frmAlign.h"
#include "print/frmPrint.h"
#include "print/frmReadyPage.h"
#include "support/ModalDialogs.h"
#include "support/PrintFixture.h"
#include "support/TextPrinting.h"

namespace {

const std::string kAll(1, static_cast<char>(kSelectAllGroups));

// The font dialog: records what it was shown with and answers with answer, or is cancelled without one.
struct FakeFontChooser : FontChooser {
  bool Choose(FontChoice& font, int helpContext) override {
    std::tie(shown, context) = std::tie(font, helpContext);
    if (answer) font = *answer;
    return answer.has_value();
  }
  std::optional<FontChoice> answer;
  FontChoice shown;
  int context = 0;
};

class PrintDialogTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    InstallFonts(&fonts);
    book = BookWithGroups({"Work", "club", "Family"});
    AddRecord(book, "Ann Lee").Group = 0;
    AddRecord(book, "Bob Ray").Group = kNoGroup;
    AddRecord(book, "Cy Doe").Group = 2;
    settings.Printing.ShowLetters = false;
  }
  void TearDown() override {
    InstallFonts(nullptr);
    PrintTest::TearDown();
  }
  FakeFontChooser fonts;
};

TEST_F(PrintDialogTest, OpensWithTheStoredOptionsAndLabelsGreyButStoreThem) {
  settings.Printing.ReportType = 1;
  settings.Printing.Title = "Café";
  frmPrint dialog(book, settings);
  EXPECT_EQ(dialog.txtTitle->text(), QString::fromUtf8("Café"));
  EXPECT_TRUE(dialog.optReportType[1]->isChecked() && dialog.chkAlphaChar->isEnabled() && dialog.cmdAlign->isEnabled());
  EXPECT_FALSE(dialog.chkAlphaChar->isChecked() || dialog.chkIncAddress->isChecked());
  dialog.optReportType[2]->setChecked(true);
  EXPECT_FALSE(dialog.txtTitle->isEnabled() || dialog.chkIncAddress->isEnabled() || dialog.chkAlphaChar->isEnabled() ||
               dialog.cmdAlign->isEnabled());
  dialog.chkAlphaChar->setChecked(true);
  dialog.chkIncAddress->setChecked(true);
  dialog.cmdOK_Click();
  EXPECT_EQ(std::tie(settings.Printing.ReportType, settings.Printing.ShowLetters, settings.Printing.IncludeAddress),
            std::make_tuple(int16_t{2}, true, true));
}

TEST_F(PrintDialogTest, NothingToPrintAFailingPrinterAndAFontTooBigAreReportedThenOKPrintsAllGroupsSorted) {
  AddGroup(book, "Empty");
  printer.heightPerPoint = 21;
  settings.Printing.FontSize = 14;  // 5040 / 294 - 2 = 15 lines: fewer than the 18 of a phone book
  frmPrint dialog(book, settings);
  dialog.cboGroups->setCurrentIndex(dialog.cboGroups->findText(QStringLiteral("Empty")));
  dialog.OnGroupCloseUp();
  dialog.cmdOK_Click();
  struct FailingPrinter : RecordingPrinter {
    double TextHeight(const std::string&) override { throw PlatformFailure(PlatformError{482, "Printer error"}); }
  } failing;
  InstallPrinter(&failing);
  dialog.cmdOK_Click();
  InstallPrinter(&printer);
  dialog.cboGroups->setCurrentIndex(0);
  dialog.OnGroupCloseUp();
  dialog.optReportType[1]->setChecked(true);
  dialog.cmdOK_Click();
  EXPECT_EQ(Messages(), (std::vector<QString>{
                            "There are no records matching the current print criteria. Nothing to print.",
                            "Unable to print records. Error 482 : Printer error.",
                            "Font is too big for selected report type. Choose the Font button to select a smaller font."}));
  EXPECT_TRUE(printer.ops.empty() && failing.ops.empty());
  EXPECT_EQ(std::make_pair(settings.Printing.ReportType, dialog.result()), std::make_pair(int16_t{1}, int{QDialog::Rejected}));
  fonts.answer = FontChoice{QStringLiteral("Courier"), 12, false, false};  // 5040 / 252 - 2 = 18 lines
  dialog.cmdFonts_Click();
  dialog.cmdOK_Click();
  EXPECT_EQ(std::make_pair(Messages().size(), prompt.prompts.size()), std::make_pair(size_t{3}, size_t{1}));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_LT(printer.TextOf("Cy Doe").y, printer.TextOf("Ann Lee").y);  // by last name: Doe, Lee, Ray
  EXPECT_LT(printer.TextOf("Ann Lee").y, printer.TextOf("Bob Ray").y);
}

// The list holds <All Groups>, <Multiple Groups...>, <Ungrouped>, then the groups sorted: club, Family, Work.
TEST_F(PrintDialogTest, GroupChoicesAndTheEntryTheListShowsForThem) {
  // The entry chosen, the rows then chosen in the multiple-group dialog (none: cancelled), the selection, the entry shown.
  const std::tuple<int, std::optional<QStringList>, std::string, int> choices[] = {
      {2, {}, "\xFF", 2}, {4, {}, "\2", 4}, {1, QStringList{"Work", "<Ungrouped>"}, {'\xFF', '\0'}, 1},
      {1, QStringList{"club"}, "\1", 3}, {1, QStringList{"Work", "club", "Family", "<Ungrouped>"}, kAll, 0},
      {1, QStringList{}, kAll, 0}, {2, {}, "\xFF", 2}, {1, std::nullopt, "\xFF", 2}};
  frmPrint dialog(book, settings);
  for (const auto& [position, chosenRows, selection, shown] : choices) {
    dialog.cboGroups->setCurrentIndex(position);
    if (position == 1) {
      WhenModalShown([rows = chosenRows](QDialog& shown) {
        auto& groups = static_cast<frmMultiGroups&>(shown);
        if (!rows) return groups.reject();
        for (int row = 0; row < groups.lstGroups->count(); ++row)
          groups.lstGroups->item(row)->setSelected(rows->contains(groups.lstGroups->item(row)->text()));
        groups.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
      });
    }
    dialog.OnGroupCloseUp();
    EXPECT_EQ(std::make_pair(dialog.GroupSelection(), dialog.cboGroups->currentIndex()), std::make_pair(selection, shown));
  }
  BookState plain = BookWithGroups({});
  frmPrint withoutGroups(plain, settings);
  withoutGroups.cboGroups->setCurrentIndex(1);
  withoutGroups.OnGroupCloseUp();
  EXPECT_EQ(Messages(), std::vector<QString>{"There are no groups to select from. You cannot select multiple groups."});
  EXPECT_EQ(std::make_pair(withoutGroups.GroupSelection(), withoutGroups.cboGroups->currentIndex()), std::make_pair(kAll, 0));
}

TEST_F(PrintDialogTest, FontsRoundsTheSizeHalfToEvenKeepsItAfterCancelAndTheSystemDialogShowsTheFont) {
  frmPrint dialog(book, settings);
  fonts.answer = FontChoice{QStringLiteral("DejaVu Serif"), 9.5, true, true};
  dialog.cmdFonts_Click();
  dialog.cmdCancel->click();
  EXPECT_EQ(std::make_pair(fonts.context, fonts.shown.Size), std::make_pair(1810, 12.0));
  const auto& printing = settings.Printing;
  EXPECT_EQ(std::tie(printing.FontName, printing.FontSize, printing.FontBold, printing.FontItalic),
            std::make_tuple(QStringLiteral("DejaVu Serif"), int16_t{10}, true, true));
  fonts.answer->Size = 8.5;
  dialog.cmdFonts_Click();  // 8
  InstallFonts(nullptr);  // the system's: its sample shows the font, and Cancel changes nothing
  WhenModalShown([](QDialog& fontDialog) {
    auto* sample = fontDialog.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
    ASSERT_TRUE(sample && !sample->text().isEmpty());
    EXPECT_EQ(sample->font().family(), "DejaVu Serif");
    EXPECT_GE(sample->contentsRect().height(), QFontMetrics(sample->font()).height());
    static_cast<QFontDialog&>(fontDialog).setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    fontDialog.reject();
  });
  dialog.cmdFonts->click();
  EXPECT_EQ(std::tie(printing.FontName, printing.FontSize), std::make_tuple(QStringLiteral("DejaVu Serif"), int16_t{8}));
}

PrinterChoice Queue(const char* name) { return {QString::fromLatin1(name), false, {}, {}, false}; }
PrinterChoice Files(const char* folder) { return {{}, true, QString::fromLatin1(folder), {}, false}; }
// The printers chosen in turn, each once however often it was applied again.
std::vector<PrinterChoice> InTurn(std::vector<PrinterChoice> chosen) {
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

TEST_F(PrintDialogTest, TheChosenPrinterIsStoredShownAndUsedForPrintingTheAlignmentTestAndTheNextRun) {
  setup.printers = {"Office", "Lab"};
  setup.defaultPrinter = "Office";
  frmPrint dialog(book, settings);
  setup.answer = PrinterChoice{"Lab", false, "/u/Printouts", "A4", true};
  dialog.cmdPrinter->click();
  EXPECT_EQ(setup.shown, std::vector<PrinterChoice>{Queue("Office")});  // the dialog starts from the printer in use
  EXPECT_EQ(settings.Printing.Printer, *setup.answer);
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Lab, A4, landscape; 1 copy");
  dialog.cmdOK_Click();
  frmAlign(settings).cmdTest_Click();
  EXPECT_EQ(std::make_pair(InTurn(printer.chosen), printer.documentsEnded), std::make_pair(std::vector{*setup.answer}, 2));

  QTemporaryDir folder;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  settings.Printing.BothSidesInOnePass = true;
  SaveSettings(settings, *OpenUserSettings(), QStringLiteral("Book.dat"));
  ProgramSettings loaded;
  LoadSettings(loaded, *OpenUserSettings(), PrinterFontInfo{"Courier", 10});
  EXPECT_EQ(std::tie(loaded.Printing.Printer, loaded.Printing.BothSidesInOnePass), std::make_tuple(*setup.answer, true));
  frmPrint next(book, loaded);
  next.cmdPreview->click();  // closed: nothing printed
  printer.previewAnswer = true;
  next.cmdPreview->click();
  EXPECT_EQ(std::make_tuple(printer.jobs.size(), next.result(), setup.shown.size()),
            std::make_tuple(size_t{3}, int{QDialog::Accepted}, size_t{1}));  // the user was asked only once
}

TEST_F(PrintDialogTest, OKPrintsOnTheStoredChoiceOrTheDefaultOrAsksTheUserOrWritesPdfFilesWithoutPrinters) {
  const PrinterChoice files = Files("/u");
  // The system's printers and default, the stored choice, the user's answer if asked, what the dialog shows, what
  // was printed on, how often the user was asked.
  const std::tuple<QStringList, QString, PrinterChoice, std::optional<PrinterChoice>, QString,
                   std::vector<PrinterChoice>, size_t>
      cases[] = {
      {{"A", "B"}, "B", {}, {}, "B (the system's default printer)", {Queue("B")}, 0},
      {{"A", "B"}, {}, {}, {}, "None chosen yet", {}, 1},  // and cancelled
      {{"A", "B"}, {}, {}, Queue("A"), "None chosen yet", {Queue("A")}, 1},
      {{"A", "B"}, {}, files, {}, "PDF files in /u", {files}, 0},
      {{}, {}, {}, {}, " (no printer is installed)", {Files("")}, 0},
  };
  for (const auto& [printers, defaultPrinter, stored, answer, shown, printedOn, asked] : cases) {
    std::tie(setup.printers, setup.defaultPrinter, setup.answer, settings.Printing.Printer) =
        std::tie(printers, defaultPrinter, answer, stored);
    setup.shown.clear();
    printer = RecordingPrinter();
    frmPrint dialog(book, settings);
    EXPECT_TRUE(dialog.lblPrinter->text().endsWith(shown + "; 1 copy")) << dialog.lblPrinter->text().toStdString();
    dialog.cmdOK_Click();
    EXPECT_EQ(InTurn(printer.chosen), printedOn) << shown.toStdString();
    EXPECT_EQ(std::make_pair(printer.documentsEnded, setup.shown.size()),
              std::make_pair(static_cast<int>(printedOn.size()), asked));
    EXPECT_EQ(settings.Printing.Printer, answer.value_or(stored));
  }
  EXPECT_TRUE(Messages().empty());
}

// The system dialog offers page ranges for the phone list and labels only;
// its copies reach every job, its two sides the list and labels, and for
// the booklet it turns on one pass, which leaves nothing to align.
TEST_F(PrintDialogTest, CopiesAndPagesOfTheSystemDialogReachTheJobAndTwoSidedMakesTheBookletOnePass) {
  std::tie(setup.printers, setup.defaultPrinter, setup.answer) = std::make_tuple(QStringList{"Duplex"}, "Duplex", Queue("Duplex"));
  const CopyChoice chosen{2, false, true, TwoSided::LongEdge, QStringLiteral("2-3")};
  setup.answerCopies = chosen;
  frmPrint dialog(book, settings);
  dialog.cmdPrinter->click();
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Duplex; 2 copies, uncollated, last page first, two-sided (long edge), pages 2-3");
  dialog.cmdOK_Click();
  dialog.optReportType[1]->setChecked(true);
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Duplex; 2 copies, uncollated, last page first, all pages (the phone book prints whole sheets)");
  EXPECT_TRUE(!dialog.chkBothSides->isChecked() && dialog.cmdAlign->isEnabled());
  dialog.cmdPrinter->click();
  EXPECT_TRUE(dialog.chkBothSides->isChecked() && !dialog.cmdAlign->isEnabled());
  dialog.cmdOK_Click();
  EXPECT_EQ(setup.offeredPageRanges, (std::vector<bool>{true, false}));
  EXPECT_EQ(printer.jobs, (std::vector<JobSides>{JobSides::OneSide, JobSides::BothSidesInOnePass}));
  EXPECT_TRUE(printer.jobCopies == (std::vector<CopyChoice>{chosen, {2, false, true, TwoSided::Off, {}}}));
}

// One pass on a printer that cannot turn the sheet is cleared, with the
// reason beside it; the booklet then prints in two passes, to be aligned.
TEST_F(PrintDialogTest, OnePassIsClearedWithItsReasonForAPrinterThatCannotPrintBothSides) {
  std::tie(setup.printers, setup.defaultPrinter) = std::make_pair(QStringList{"Simplex"}, "Simplex");
  std::tie(settings.Printing.ReportType, settings.Printing.BothSidesInOnePass, printer.bothSides) = std::make_tuple(1, true, false);
  frmPrint dialog(book, settings);
  const auto state = [&dialog] {
    return std::make_tuple(dialog.chkBothSides->isEnabled(), dialog.chkBothSides->isChecked(),
                           dialog.lblBothSides->isVisibleTo(&dialog), dialog.cmdAlign->isEnabled());
  };
  EXPECT_EQ(state(), std::make_tuple(false, false, true, true));
  EXPECT_EQ(dialog.lblBothSides->text(), "This printer cannot print both sides of a sheet, so the phone book prints in two passes.");
  dialog.optReportType[0]->setChecked(true);  // only the booklet prints in passes
  EXPECT_EQ(state(), std::make_tuple(false, false, false, false));
  printer.bothSides = true;
  dialog.optReportType[1]->setChecked(true);
  EXPECT_EQ(state(), std::make_tuple(true, false, false, true));
  dialog.chkBothSides->click();
  EXPECT_EQ(state(), std::make_tuple(true, true, false, false));
  dialog.cmdOK_Click();
  EXPECT_EQ(std::make_pair(settings.Printing.BothSidesInOnePass, printer.jobs), std::make_pair(true, std::vector{JobSides::BothSidesInOnePass}));
}

TEST_F(PrintDialogTest, AlignRefusesWhatIsNoOffsetWithTheFocusThereAndStoresTwoDecimalsAnEmptyBoxAsZero) {
  std::tie(settings.Printing.XOffset, settings.Printing.YOffset) = std::make_pair(0.5f, -0.25f);
  frmAlign dialog(settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const auto boxes = [&dialog] { return dialog.txtOffset[0]->text() + " " + dialog.txtOffset[1]->text(); };
  EXPECT_EQ(boxes(), "0.50 -0.25");
  for (const char* text : {"1.5", "-1.01", "abc", "nan"}) {
    dialog.txtOffset[1]->setText(QLatin1String(text));
    dialog.cmdOK->setFocus();
    dialog.cmdOK_Click();
    dialog.cmdTest_Click();  // the test print needs valid offsets too
    EXPECT_EQ(Messages().back(), QStringLiteral("'%1' is not a valid offset. Please enter a number between -1.00 and "
                                                "1.00.").arg(text));
    EXPECT_EQ(std::make_pair(QApplication::focusWidget(), dialog.result()),
              std::make_pair(static_cast<QWidget*>(dialog.txtOffset[1]), int{QDialog::Rejected}));
  }
  EXPECT_EQ(std::make_tuple(Messages().size(), settings.Printing.YOffset, printer.ops.size()),
            std::make_tuple(size_t{8}, -0.25f, size_t{0}));
  dialog.txtOffset[0]->clear();
  dialog.txtOffset[0]->setFocus();  // an empty box gets 0, selected
  QTRY_COMPARE(dialog.txtOffset[0]->selectedText(), QStringLiteral("0"));
  const std::tuple<QString, QString, float, float, QString> entries[] = {{"1", "", 1, 0, "1.00 0.00"},
                                                                        {"-1", "1", -1, 1, "-1.00 1.00"}};
  for (const auto& [x, y, storedX, storedY, shown] : entries) {
    dialog.txtOffset[0]->setText(x);
    dialog.txtOffset[1]->setText(y);
    dialog.cmdOK_Click();
    EXPECT_EQ(std::tie(settings.Printing.XOffset, settings.Printing.YOffset), std::tie(storedX, storedY));
    EXPECT_EQ(std::make_pair(boxes(), dialog.result()), std::make_pair(shown, int{QDialog::Accepted}));
  }
}

TEST_F(PrintDialogTest, TheTestPrintPrintsBothSidesWithTheBoxOffsetsStoringNothing) {
  frmAlign dialog(settings);
  dialog.txtOffset[0]->setText(QStringLiteral("0.5"));
  dialog.cmdTest_Click();  // Cancel at the side B prompt: side A only
  EXPECT_EQ(printer.documentsEnded, 1);
  Fakes().messages.answers = {MessageAnswer::OK};
  dialog.cmdTest_Click();
  EXPECT_EQ(Fakes().messages.shown.back(),
            std::make_pair(MessageKind::PrinterPrompt, QStringLiteral("Prepare printer for printing side B.")));
  EXPECT_EQ(std::make_pair(printer.TextOf("Test Align - Side A").document, printer.TextOf("Test Align - Side B").document),
            std::make_pair(1, 3));
  std::vector<PrintedOp> back = printer.Drawn(PrintedOp::Line, 3);
  ASSERT_EQ(back.size(), 18u);
  for (PrintedOp& op : back) std::tie(op.document, op.x, op.x2) = std::make_tuple(2, op.x - 720, op.x2 - 720);
  EXPECT_EQ(back, printer.Drawn(PrintedOp::Line, 2));
  dialog.cmdCancel->click();
  EXPECT_EQ(settings.Printing.XOffset, 0.0f);
}

TEST(ReadyPageTest, ShowsTheSheetAndAnswersAbortOKOrClose) {
  // The button pressed after clearing the box (none: the prompt is closed), what the prompt answers and leaves.
  const std::tuple<const char*, bool, bool> answers[] = {{"cmdAbort", false, true}, {"cmdOK", true, false}, {nullptr, true, true}};
  for (const auto& [button, goOn, eachPage] : answers) {
    WhenModalShown([button = button](QDialog& shown) {
      auto& dialog = static_cast<frmReadyPage&>(shown);
      EXPECT_EQ(dialog.lblPrompt->text(), "Prepare printer for printing Page 2 - Side B. Select Help for more information.");
      EXPECT_TRUE(dialog.chkEachPage->isChecked());
      dialog.chkEachPage->setChecked(false);
      dialog.cmdHelp->click();
      button ? dialog.findChild<QPushButton*>(QLatin1String(button))->click() : dialog.reject();
    });
    bool promptEachPage = true;
    EXPECT_EQ(ReadyPage().Ask("Page 2 - Side B", promptEachPage), goOn);  // closed: printing goes on
    EXPECT_EQ(promptEachPage, eachPage);
  }
  EXPECT_EQ(Fakes().help.topics, std::vector<int>(3, 1830));
}

}  // namespace
