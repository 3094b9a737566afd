#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include "core/Document.h"
#include "core/SettingsIO.h"
#include "platform/FontChooser.h"
#include "platform/PrintPreviewWindow.h"
#include "print/frmAlign.h"
#include "print/frmPrint.h"
#include "support/FakePlatform.h"
#include "support/FakePrinterSetup.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

PrinterChoice Queue(const char* name, const char* paper = "", bool landscape = false) {
  PrinterChoice choice;
  choice.Name = QString::fromLatin1(name);
  choice.PaperSize = QString::fromLatin1(paper);
  choice.Landscape = landscape;
  return choice;
}

class PrinterChoiceTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(&printer);
    InstallPrinterSetup(&setup);
    InstallReadyPage(&readyPage);
    book = BookWithGroups({});
    AddRecord(book, "Ann Lee").Phones[0] = "555-0101";
    settings.Printing.ShowLetters = false;
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallPrinterSetup(nullptr);
    InstallReadyPage(nullptr);
  }

  RecordingPrinter printer;
  FakePrinterSetup setup;
  FakeReadyPage readyPage;
  BookState book;
  ProgramSettings settings;
};

TEST_F(PrinterChoiceTest, TheChosenPrinterIsStoredShownAndUsedForPrintingAndTheAlignmentTest) {
  setup.printers = {"Office", "Lab"};
  setup.defaultPrinter = "Office";
  frmPrint dialog(book, settings);
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Office (the system's default printer)");
  EXPECT_EQ(dialog.cmdPrinter->text(), "P&rinter...");
  EXPECT_EQ(dialog.cmdPreview->text(), "Pre&view");
  setup.answer = Queue("Lab", "A4", true);
  dialog.cmdPrinter->click();
  EXPECT_EQ(setup.context, 1650);
  EXPECT_EQ(setup.shown.back(), Queue("Office"));  // the dialog starts from the printer in use
  EXPECT_EQ(settings.Printing.Printer, Queue("Lab", "A4", true));
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Lab, A4, landscape");
  setup.answer.reset();
  dialog.cmdPrinter->click();  // cancelled: the choice stays
  EXPECT_EQ(settings.Printing.Printer, Queue("Lab", "A4", true));

  dialog.cmdOK_Click();
  EXPECT_EQ(printer.chosen.back(), Queue("Lab", "A4", true));
  EXPECT_EQ(printer.Documents(), 1);
  printer.chosen.clear();
  frmAlign align(settings);
  align.cmdTest_Click();
  ASSERT_FALSE(printer.chosen.empty());
  EXPECT_EQ(printer.chosen.back(), Queue("Lab", "A4", true));
  EXPECT_EQ(printer.jobs.back().report, "alignment test");
}

TEST_F(PrinterChoiceTest, WithoutAChoiceOrADefaultTheUserChoosesBeforePrinting) {
  struct Case {
    QStringList printers;
    std::optional<PrinterChoice> answer;
    bool printed;
    const char* shown;
  };
  PrinterChoice pdf;
  pdf.ToFile = true;
  const std::vector<Case> cases{
      {{"A", "B"}, Queue("B"), true, "Printer: B"},
      {{"A", "B"}, std::nullopt, false, "Printer: None chosen yet"},
  };
  for (const Case& c : cases) {
    setup.printers = c.printers;
    setup.answer = c.answer;
    setup.shown.clear();
    settings.Printing.Printer = {};
    printer = RecordingPrinter();
    frmPrint dialog(book, settings);
    dialog.cmdOK_Click();
    EXPECT_EQ(setup.shown.size(), 1u);
    EXPECT_EQ(printer.Documents(), c.printed ? 1 : 0);
    EXPECT_EQ(dialog.result() == QDialog::Accepted, c.printed);
    EXPECT_EQ(dialog.lblPrinter->text(), c.shown);
    EXPECT_EQ(settings.Printing.Printer, c.answer.value_or(PrinterChoice{}));
  }
  EXPECT_TRUE(Fakes().messages.shown.empty());

  setup.printers.clear();  // no printer at all: PDF files, without asking
  setup.shown.clear();
  frmPrint dialog(book, settings);
  EXPECT_TRUE(dialog.lblPrinter->text().endsWith(QLatin1String(" (no printer is installed)")));
  dialog.cmdOK_Click();
  EXPECT_TRUE(setup.shown.empty());
  EXPECT_EQ(printer.chosen.back(), pdf);
}

TEST_F(PrinterChoiceTest, BothSidesInOnePassIsOfferedForAPhoneBookOnAPrinterThatCanAndIsKept) {
  settings.Printing.Printer = Queue("Office");
  frmPrint dialog(book, settings);
  EXPECT_FALSE(dialog.chkBothSides->isEnabled());  // a phone list
  dialog.optReportType[1]->setChecked(true);
  EXPECT_TRUE(dialog.chkBothSides->isEnabled());
  printer.bothSides = false;
  dialog.optReportType[0]->setChecked(true);
  dialog.optReportType[1]->setChecked(true);
  EXPECT_FALSE(dialog.chkBothSides->isEnabled());
  dialog.chkBothSides->setChecked(true);
  readyPage.answers = {{false, true}};
  dialog.cmdOK_Click();
  EXPECT_TRUE(settings.Printing.BothSidesInOnePass);
}

TEST_F(PrinterChoiceTest, PreviewShowsTheReportAndPrintsItWhenAskedTo) {
  settings.Printing.Printer = Queue("Office");
  frmPrint dialog(book, settings);
  dialog.cmdPreview->click();
  EXPECT_EQ(printer.Documents(), 1);  // the preview, nothing printed
  EXPECT_TRUE(printer.jobs.empty());
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  printer.previewAnswer = true;
  dialog.cmdPreview->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.Documents(), 3);
}

TEST_F(PrinterChoiceTest, TheChoiceIsKeptInTheSettings) {
  QTemporaryDir folder;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  settings.Printing.Printer = Queue("Lab", "Letter", true);
  settings.Printing.Printer.ToFile = true;
  settings.Printing.Printer.Folder = QStringLiteral("/home/u/Printouts");
  settings.Printing.BothSidesInOnePass = true;
  SaveSettings(settings, *OpenUserSettings(), QStringLiteral("Book.dat"));
  ProgramSettings loaded;
  LoadSettings(loaded, *OpenUserSettings(), PrinterFontInfo{"Courier", 10});
  EXPECT_EQ(loaded.Printing.Printer, settings.Printing.Printer);
  EXPECT_TRUE(loaded.Printing.BothSidesInOnePass);
  EXPECT_EQ(QSettings(folder.filePath("Vantreo.ini"), QSettings::IniFormat).value("Printing/Orientation"),
            "Landscape");
}

// The system's font dialog: its sample shows the font, and Cancel changes nothing.
TEST(FontDialogTest, TheSampleShowsTheChosenFontAndCancelKeepsTheSettings) {
  ProgramSettings settings;
  settings.Printing.FontName = QStringLiteral("DejaVu Serif");
  settings.Printing.FontSize = 20;
  const ProgramSettings::PrintingSection before = settings.Printing;
  BookState book = BookWithGroups({});
  frmPrint dialog(book, settings);
  WhenModalShown([](QDialog& fonts) {
    auto* sample = fonts.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
    ASSERT_NE(sample, nullptr);
    EXPECT_TRUE(sample->isVisible());
    EXPECT_FALSE(sample->text().isEmpty());
    EXPECT_EQ(sample->font().family(), "DejaVu Serif");
    EXPECT_EQ(sample->font().pointSize(), 20);
    EXPECT_GE(sample->contentsRect().height(), QFontMetrics(sample->font()).height());
    static_cast<QFontDialog&>(fonts).setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    fonts.reject();
  });
  dialog.cmdFonts->click();
  EXPECT_EQ(settings.Printing.FontName, before.FontName);
  EXPECT_EQ(settings.Printing.FontSize, before.FontSize);
}

TEST(PrintPreviewWindowTest, ShowsThePagesDrawnAndPrintIsItsAnswer) {
  QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18));
  const auto draw = [](Printer& printer) {
    printer.PrintText("first");
    printer.EndDocument();  // a preview goes on with a new page
    printer.PrintText("second");
  };
  PrintPreviewWindow window(layout, 1200, true, draw);
  EXPECT_EQ(window.PageCount(), 2);
  WhenModalShown([](QDialog& shown) { shown.findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click(); });
  EXPECT_TRUE(window.Run());
  EXPECT_THROW(PrintPreviewWindow(layout, 1200, true, [](Printer&) { throw std::runtime_error("no fonts"); }),
               std::runtime_error);
}

}  // namespace
