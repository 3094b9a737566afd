#include <cstdio>

#include <QFile>
#include <QApplication>

#include "bench/BenchRegistry.h"
#include "core/ProgramSettings.h"
#include "platform/MessageBoxes.h"
#include "platform/OutputPaper.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/Printer.h"
#include "print/PrintList.h"
#include "print/PrintRecords.h"
#include "print/PrinterFont.h"
#include "print/ReadyPagePrompt.h"

namespace {

constexpr size_t kPreviewRecords = 2000;

// Answers every message box at once, keeping the PDF files the printer
// named so that they can be deleted afterwards.
class SilentMessages : public MessageBoxes {
 public:
  MessageAnswer Show(MessageKind, const QString& text) override {
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines[0].startsWith(QLatin1String("The printout was saved as the PDF file")))
      files << lines.mid(1);
    else
      errors << text;
    return MessageAnswer::OK;
  }
  QStringList files;
  QStringList errors;
};

// Goes on at the first side B sheet and asks no more.
class GoOnReadyPage : public ReadyPagePrompt {
 public:
  bool Ask(const std::string&, bool& promptEachPage) override {
    promptEachPage = false;
    return true;
  }
};

ProgramSettings SettingsFor(ReportType type) {
  ProgramSettings settings;
  auto& printing = settings.Printing;
  printing.ReportType = static_cast<int16_t>(type);
  printing.IncludeAddress = type == ReportType::PhoneBook;
  printing.FontName = QStringLiteral("DejaVu Serif");
  printing.FontSize = 9;
  return settings;
}

// The sorted print list of the book, measured for the report of settings.
PrintJob JobFor(BookState& book, const ProgramSettings& settings) {
  PrintJob job;
  SetPrinterFont(ThePrinter(), settings);
  job.LinesPerPage = CalcLinesPerPage(ThePrinter(), ReportTypeOf(settings.Printing.ReportType));
  BuildPrintList(book, job);
  SortPrintList(book, job);
  return job;
}

double PrintToPdf(BookState& book, ReportType type) {
  SilentMessages messages;
  GoOnReadyPage readyPage;
  InstallMessages(&messages);
  InstallReadyPage(&readyPage);
  const ProgramSettings settings = SettingsFor(type);
  const double seconds = SecondsOf([&] { PrintRecords(book, settings, JobFor(book, settings)); });
  InstallMessages(nullptr);
  InstallReadyPage(nullptr);
  for (const QString& error : messages.errors) std::fprintf(stderr, "%s\n", qPrintable(error));
  for (const QString& file : messages.files) QFile::remove(file);
  // A job that failed must not pass for a fast one.
  return messages.errors.empty() ? seconds : 1e9;
}

// From the start of a preview to its window open with every page made.
double PreviewPhoneBook(BookState& book) {
  book.Records.resize(kPreviewRecords);
  const ProgramSettings settings = SettingsFor(ReportType::PhoneBook);
  const OutputPaper paper = PaperFor(SystemDefaultChoice());
  int pages = 0;
  const double seconds = SecondsOf([&] {
    const PrintJob job = JobFor(book, settings);
    PrintPreviewWindow window(paper.Layout, paper.Resolution, paper.BothSides, [&](Printer& printer) {
      DrawReport(printer, book, settings, job, JobSides::TwoPasses);
    });
    window.show();
    QApplication::processEvents();
    pages = window.PageCount();
  });
  return pages > 0 ? seconds : 1e9;
}

RegisterBenchStep preview{"preview of a 2,000-record phone book", 2.0, PreviewPhoneBook};

RegisterBenchStep phoneList{"phone list to PDF", 8.0,
                            [](BookState& book) { return PrintToPdf(book, ReportType::PhoneList); }};

RegisterBenchStep booklet{"phone book booklet to PDF", 30.0,
                          [](BookState& book) { return PrintToPdf(book, ReportType::PhoneBook); }};

}  // namespace
