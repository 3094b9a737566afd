#include "print/PrintRecords.h"

#include <optional>

#include "core/ErrorReport.h"
#include "platform/BusyPointer.h"
#include "platform/PlatformFailure.h"
#include "platform/Printer.h"
#include "print/Labels.h"
#include "print/LineFile.h"
#include "print/LineFileWriter.h"
#include "print/PhoneBook.h"
#include "print/PhoneList.h"
#include "print/PrintFailure.h"

namespace {

void PrintReport(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
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
    PrintPhoneBook(printer, file, settings);
  else
    PrintPhoneList(printer, file, settings);
}

}  // namespace

void PrintRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
  Printer& printer = ThePrinter();
  try {
    BusyCursor busy;
    PrintReport(printer, book, settings, job);
  } catch (...) {
    // The busy pointer is restored and the line file deleted by now.
    ShowErrorMessage(QStringLiteral("Unable to complete printing."), CaughtFailure());
  }
  // Ends the document also after a failure or an abort, so that nothing
  // waits half-printed; a failure here has nothing left to spoil.
  try {
    printer.EndDocument();
  } catch (...) {
  }
}
