#include <gtest/gtest.h>

#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "core/SettingsIO.h"
#include "print/frmAlign.h"
#include "print/frmPrint.h"
#include "support/FakePlatform.h"
#include "support/FakePrinterSetup.h"
#include "support/ModalDialogs.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

PrinterChoice Queue(const char* name, const char* paper = "") {
  PrinterChoice choice;
  choice.Name = QString::fromLatin1(name);
  choice.PaperSize = QString::fromLatin1(paper);
  return choice;
}

class PrinterChoiceTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(&printer);
    InstallPrinterSetup(&setup);
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallPrinterSetup(nullptr);
  }

  RecordingPrinter printer;
  FakePrinterSetup setup;
  BookState book = PeopleBook(3);
  ProgramSettings settings;
};

TEST_F(PrinterChoiceTest, TheChosenPrinterIsStoredShownAndUsedForPrintingAndTheAlignmentTest) {
  setup.printers = {"Office", "Lab"};
  setup.defaultPrinter = "Office";
  frmPrint dialog(book, settings);
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Office (the system's default printer)");
  setup.answer = Queue("Lab", "A4");
  dialog.cmdPrinter->click();
  EXPECT_EQ(setup.shown.back(), Queue("Office"));  // the dialog starts from the printer in use
  EXPECT_EQ(settings.Printing.Printer, Queue("Lab", "A4"));
  EXPECT_EQ(dialog.lblPrinter->text(), "Printer: Lab, A4, portrait");
  dialog.cmdOK_Click();
  EXPECT_EQ(printer.chosen.back(), Queue("Lab", "A4"));
  EXPECT_EQ(printer.Documents(), 1);
  printer.chosen.clear();
  frmAlign(settings).cmdTest_Click();
  ASSERT_FALSE(printer.chosen.empty());
  EXPECT_EQ(printer.chosen.back(), Queue("Lab", "A4"));
  EXPECT_EQ(setup.shown.size(), 1u);
}

TEST_F(PrinterChoiceTest, WithoutAChoiceOrADefaultTheUserChoosesAndWithoutPrintersPdfFilesAreWritten) {
  setup.printers = {"A", "B"};
  for (const std::optional<PrinterChoice>& answer : {std::optional<PrinterChoice>(), std::optional(Queue("B"))}) {
    setup.answer = answer;
    frmPrint dialog(book, settings);
    EXPECT_EQ(dialog.lblPrinter->text(), "Printer: None chosen yet");
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, answer.has_value());
    EXPECT_EQ(settings.Printing.Printer, answer.value_or(PrinterChoice{}));
  }
  EXPECT_EQ(setup.shown.size(), 2u);
  setup.printers.clear();
  settings.Printing.Printer = {};
  frmPrint dialog(book, settings);
  EXPECT_TRUE(dialog.lblPrinter->text().endsWith(QLatin1String(" (no printer is installed)")));
  dialog.cmdOK_Click();
  EXPECT_TRUE(printer.chosen.back().ToFile);
  EXPECT_EQ(setup.shown.size(), 2u);
  EXPECT_EQ(printer.Documents(), 2);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(PrinterChoiceTest, TheChoiceIsKeptInTheSettingsAndPrintingFromThePreviewPrints) {
  QTemporaryDir folder;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
  settings.Printing.Printer = {QStringLiteral("Lab"), true, QStringLiteral("/u/Printouts"), QStringLiteral("A5"), true};
  settings.Printing.BothSidesInOnePass = true;
  SaveSettings(settings, *OpenUserSettings(), QStringLiteral("Book.dat"));
  ProgramSettings loaded;
  LoadSettings(loaded, *OpenUserSettings(), PrinterFontInfo{"Courier", 10});
  EXPECT_EQ(loaded.Printing.Printer, settings.Printing.Printer);
  EXPECT_TRUE(loaded.Printing.BothSidesInOnePass);

  frmPrint dialog(book, loaded);
  dialog.cmdPreview->click();  // closed: nothing printed
  EXPECT_TRUE(printer.jobs.empty());
  printer.previewAnswer = true;
  dialog.cmdPreview->click();
  EXPECT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The system's font dialog: its sample shows the font, and Cancel changes nothing.
TEST(FontDialogTest, TheSampleShowsTheChosenFontAndCancelKeepsTheSettings) {
  ProgramSettings settings;
  settings.Printing.FontName = QStringLiteral("DejaVu Serif");
  settings.Printing.FontSize = 20;
  BookState book = PeopleBook(1);
  frmPrint dialog(book, settings);
  WhenModalShown([](QDialog& fonts) {
    auto* sample = fonts.findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit"));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->font().family(), "DejaVu Serif");
    EXPECT_FALSE(sample->text().isEmpty());
    EXPECT_GE(sample->contentsRect().height(), QFontMetrics(sample->font()).height());
    static_cast<QFontDialog&>(fonts).setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    fonts.reject();
  });
  dialog.cmdFonts->click();
  EXPECT_EQ(settings.Printing.FontName, "DejaVu Serif");
  EXPECT_EQ(settings.Printing.FontSize, 20);
}

}  // namespace
