#pragma once

#include <optional>

#include "core/Document.h"
#include "core/ProgramSettings.h"
#include "platform/PrinterSetup.h"
#include "print/LineFile.h"
#include "print/PrintJob.h"
#include "print/PrintOutcomeMessages.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

// The system's printers as a test sets them; the print dialog records what
// it was shown and answers with answer and answerCopies, or is cancelled
// without an answer.
struct FakePrinterSetup : PrinterSetup {
  QStringList Printers() override { return printers; }
  QString DefaultPrinter() override { return defaultPrinter; }
  bool ServiceRunning() override { return serviceRunning; }
  bool Choose(PrinterChoice& choice, CopyChoice& copies, bool pageRanges, int) override {
    shown.push_back(choice);
    offeredPageRanges.push_back(pageRanges);
    if (answer) std::tie(choice, copies) = std::make_pair(*answer, answerCopies);
    return answer.has_value();
  }
  QStringList printers;
  QString defaultPrinter;
  std::optional<PrinterChoice> answer;
  CopyChoice answerCopies;
  bool serviceRunning = true;
  std::vector<PrinterChoice> shown;
  std::vector<bool> offeredPageRanges;
};

// A test that prints on the recording printer, with fakes for the side B
// prompt and the system's printers, and a book, settings and a job.
class PrintTest : public testing::Test {
 protected:
  void SetUp() override {
    prompt.printer = &printer;
    InstallPrinter(&printer);
    InstallReadyPage(&prompt);
    InstallPrinterSetup(&setup);
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallReadyPage(nullptr);
    InstallPrinterSetup(nullptr);
  }

  // The job prints every record of the book, in document order.
  void PrintAll() {
    job.PrintList.clear();
    for (int r = 0; r < book.RecordCount(); ++r) job.PrintList.push_back(r);
  }

  // Prints, or previews, the job and tells what became of it as the print
  // dialog does; Preview() is true when the user asked to print from there.
  void Print() { ShowPrintOutcome(PrintRecords(book, settings, job)); }
  bool Preview() {
    const PrintOutcome outcome = PreviewRecords(book, settings, job);
    ShowPrintOutcome(outcome);
    return !outcome.Failed() && !outcome.Cancelled;
  }

  static std::vector<QString> Messages() {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  RecordingPrinter printer;
  FakeReadyPage prompt;
  FakePrinterSetup setup;
  BookState book = BookWithGroups({});
  ProgramSettings settings;
  PrintJob job;
};
