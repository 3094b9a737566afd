#include "print/LineFileWriter.h"

#include "print/ItemLines.h"
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

}  // namespace

void WriteLineFile(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                   LineFile& file) {
  const auto& printing = settings.Printing;
  const ReportType type = ReportTypeOf(printing.ReportType);
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
