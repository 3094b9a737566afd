#include "print/Labels.h"

#include <string>
#include <vector>

#include "print/PrintRounding.h"
#include "print/PrintableText.h"
#include "print/PrinterFont.h"
#include "print/WrapText.h"

namespace {

constexpr int kLabelWidth = 5760;
constexpr int kLabelHeight = 1920;
constexpr int kFirstColumnX = 1080;
constexpr int kTextTop = 270;
constexpr int kRowsHeight = 7 * kLabelHeight;  // 13440
constexpr double kAddressWidth = 3600;

std::vector<std::string> LabelLines(Printer& printer, const AddressRecord& record) {
  std::vector<std::string> lines;
  const auto add = [&lines](const std::string& field) {
    if (!field.empty()) lines.push_back(OneLineText(field));
  };
  if (record.PrintAs != kPrintAsPerson) add(record.Company);
  add(record.Name);
  WrapText(printer, record.Address, lines, kAddressWidth);
  return lines;
}

// Prints the lines that fit in the label whose row starts at row.
void PrintLabel(Printer& printer, const std::vector<std::string>& lines, int x, int row) {
  const double lineHeight = printer.TextHeight("A");
  double y = row + kTextTop;
  for (const std::string& line : lines) {
    if (y + lineHeight > row + kLabelHeight) return;
    printer.SetCurrentX(x);
    printer.SetCurrentY(y);
    printer.PrintText(line);
    y += RoundToEven(lineHeight);
  }
}

}  // namespace

void PrintLabels(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job) {
  SetPrinterFont(printer, settings);
  const int top = RoundToEven(printer.PageHeight() / 2 - kRowsHeight / 2);
  int row = top;
  for (size_t i = 0; i < job.PrintList.size(); ++i) {
    const AddressRecord& record = book.Records[static_cast<size_t>(job.PrintList[i])];
    const int column = static_cast<int>(i % 2);
    PrintLabel(printer, LabelLines(printer, record), kFirstColumnX + kLabelWidth * column, row);
    if (column == 1) {
      row += kLabelHeight;
      if (row >= top + kRowsHeight) {
        row = top;
        printer.NewPage();
      }
    }
  }
}
