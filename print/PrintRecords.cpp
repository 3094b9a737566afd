#include "print/PrintRecords.h"

#include "core/HelpTopics.h"
#include "core/BookText.h"
#include "core/ShortList.h"
#include "platform/BusyPointer.h"
#include "platform/PlatformFailure.h"
#include "print/Labels.h"
#include "print/LineFile.h"
#include "print/LineFileWriter.h"
#include "print/MissingGlyphs.h"
#include "print/PhoneBook.h"
#include "print/PhoneList.h"
#include "print/PrinterJob.h"

namespace {

const QString kPrintingFailed = QStringLiteral("Unable to complete printing.");

QString ReportName(ReportType type) {
  switch (type) {
    case ReportType::PhoneBook: return QStringLiteral("phone book");
    case ReportType::Labels: return QStringLiteral("labels");
    case ReportType::PhoneList: break;
  }
  return QStringLiteral("phone list");
}

}  // namespace

JobSides SidesOf(const ProgramSettings& settings, Printer& printer) {
  if (ReportTypeOf(settings.Printing.ReportType) != ReportType::PhoneBook) return JobSides::OneSide;
  return settings.Printing.BothSidesInOnePass && printer.CanPrintBothSides() ? JobSides::BothSidesInOnePass
                                                                             : JobSides::TwoPasses;
}

CopyChoice CopiesOf(const ProgramSettings& settings, const PrintJob& job) {
  CopyChoice copies = job.Copies;
  if (ReportTypeOf(settings.Printing.ReportType) == ReportType::PhoneBook) {
    copies.PageRanges.clear();
    copies.Sides = TwoSided::Off;
  }
  return copies;
}

void DrawReport(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                JobSides sides) {
  const ReportType type = ReportTypeOf(settings.Printing.ReportType);
  if (type == ReportType::Labels) {
    PrintLabels(printer, book, settings, job);
    return;
  }
  if (job.LinesPerPage < 1)
    throw PlatformFailure(PlatformError{0, QStringLiteral("The font leaves no lines on a page")});
  LineFile file(job.LinesPerPage);
  WriteLineFile(printer, book, settings, job, file);
  file.StartReading();
  if (type == ReportType::PhoneBook)
    PrintPhoneBook(printer, file, settings, sides);
  else
    PrintPhoneList(printer, file, settings);
}

PrintOutcome PrintRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
  Printer& printer = ThePrinter();
  // The busy pointer is restored, the line file deleted and the job's output
  // ended before a failure leaves the step.
  return RunPrintStep(kPrintingFailed, [&](PrintOutcome& outcome) {
    BusyCursor busy;
    const JobSides sides = SidesOf(settings, printer);
    const ReportType type = ReportTypeOf(settings.Printing.ReportType);
    const QString title = type == ReportType::Labels ? QString() : ShownText(settings.Printing.Title);
    PrinterJob output(printer, ReportName(type), title, sides, CopiesOf(settings, job));
    DrawReport(printer, book, settings, job, sides);
    output.Finish(outcome);
    if (const QStringList missing = RecordsMissingGlyphs(printer, book, job); !missing.isEmpty())
      outcome.Notices << QStringLiteral("No installed font has some characters of these records; they printed as "
                                        "empty boxes:\n\n") +
                             ShortList(missing);
  });
}

PrintOutcome PreviewRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
  Printer& printer = ThePrinter();
  return RunPrintStep(kPrintingFailed, [&](PrintOutcome& outcome) {
    const JobSides sides = SidesOf(settings, printer);
    if (!printer.Preview([&](Printer& page) { DrawReport(page, book, settings, job, sides); }, HelpTopic::PrintPreview))
      outcome.Cancelled = true;
  });
}
