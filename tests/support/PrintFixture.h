#pragma once

#include <optional>

#include "core/Document.h"
#include "core/ProgramSettings.h"
#include "platform/FontChooser.h"
#include "platform/PrinterSetup.h"
#include "print/LineFile.h"
#include "print/PrintJob.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

// The system's printers as a test sets them; the print dialog answers with
// answer, or is cancelled without one.
struct FakePrinterSetup : PrinterSetup {
  QStringList Printers() override { return printers; }
  QString DefaultPrinter() override { return defaultPrinter; }
  bool Choose(PrinterChoice& choice, int) override {
    shown.push_back(choice);
    if (answer) choice = *answer;
    return answer.has_value();
  }

  QStringList printers;
  QString defaultPrinter;
  std::optional<PrinterChoice> answer;
  std::vector<PrinterChoice> shown;
};

// The font dialog: records the font and help topic it was shown with and
// answers with answer, or is cancelled without one.
struct FakeFontChooser : FontChooser {
  bool Choose(FontChoice& font, int helpContext) override {
    shown = font;
    context = helpContext;
    if (answer) font = *answer;
    return answer.has_value();
  }

  std::optional<FontChoice> answer;
  FontChoice shown;
  int context = 0;
};

// A test that prints on the recording printer, with fakes for the side B
// prompt, the system's printers and the font dialog, and a book, settings
// and a job of its own.
class PrintTest : public testing::Test {
 protected:
  void SetUp() override {
    prompt.printer = &printer;
    InstallPrinter(&printer);
    InstallReadyPage(&prompt);
    InstallPrinterSetup(&setup);
    InstallFonts(&fonts);
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallReadyPage(nullptr);
    InstallPrinterSetup(nullptr);
    InstallFonts(nullptr);
  }

  // The job prints every record of the book, in document order.
  void PrintAll() {
    job.PrintList.clear();
    for (int r = 0; r < book.RecordCount(); ++r) job.PrintList.push_back(r);
  }

  static std::vector<QString> Messages() {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  RecordingPrinter printer;
  FakeReadyPage prompt;
  FakePrinterSetup setup;
  FakeFontChooser fonts;
  BookState book = BookWithGroups({});
  ProgramSettings settings;
  PrintJob job;
};
