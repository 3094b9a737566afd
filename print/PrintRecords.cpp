#include "print/PrintRecords.h"

#include <optional>

#include "core/ErrorReport.h"
#include "platform/BusyPointer.h"
#include "platform/PlatformFailure.h"
#include "platform/Printer.h"
#include "print/ItemLines.h"
#include "print/Labels.h"
#include "print/LineFile.h"
#include "print/PhoneBook.h"
#include "print/PhoneList.h"
#include "print/PrintFailure.h"
#include "print/PrintList.h"
#include "print/PrintRounding.h"

namespace {

constexpr double kPhoneBookWrapWidth = 3600;

// Writes one item's lines so that an item that does not fit on the rest of
// a page starts on the next one; separated items get an empty line between
// them except at the top of a page.
void WriteItem(LineFile& file, const std::vector<std::string>& lines, bool separated) {
  const int linesPerPage = file.LinesPerPage();
  const int pos = file.TotalLines() % linesPerPage;
  const int count = static_cast<int>(lines.size());
  if (pos >= 1 && pos + count + (separated ? 1 : 0) > linesPerPage) {
    for (int k = pos; k < linesPerPage; ++k) file.Write({});
  } else if (pos >= 1 && separated) {
    file.Write({});
  }
  for (const std::string& line : lines) file.Write(line);
}

void WriteLineFile(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                   ReportType type, LineFile& file) {
  const auto& printing = settings.Printing;
  const ItemStyle style{printing.IncludeAddress,
                        type == ReportType::PhoneBook ? kPhoneBookWrapWidth
                                                      : RoundToEven(printer.PageWidth() - 2440)};
  std::string lastLetter;
  for (int r : job.PrintList) {
    const AddressRecord& record = book.Records[static_cast<size_t>(r)];
    std::vector<std::string> lines;
    bool separated = false;
    if (printing.ShowLetters) {
      const std::string letter = HeadingLetter(DisplayKey(record));
      if (!letter.empty() && letter != lastLetter) {
        lastLetter = letter;
        separated = true;
        lines = {"*** " + letter + " ***", ""};
      }
    }
    if (printing.IncludeAddress && file.TotalLines() % file.LinesPerPage() > 0) separated = true;
    for (std::string& line : ItemLines(printer, book, record, style)) lines.push_back(std::move(line));
    WriteItem(file, lines, separated);
  }
}

void PrintReport(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
  const ReportType type = ReportTypeOf(settings.Printing.ReportType);
  if (type == ReportType::Labels) {
    PrintLabels(printer, book, settings, job);
    return;
  }
  if (job.LinesPerPage < 1)
    throw PlatformFailure(PlatformError{0, QStringLiteral("The font leaves no lines on a page")});
  LineFile file(job.LinesPerPage);
  WriteLineFile(printer, book, settings, job, type, file);
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
