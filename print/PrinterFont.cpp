#include "print/PrinterFont.h"

#include <algorithm>

#include "platform/PlatformFailure.h"
#include "print/PrintRounding.h"

namespace {

// The height the body of one page may fill.
double AvailableHeight(Printer& printer, ReportType type) {
  switch (type) {
    case ReportType::PhoneList: return RoundToEven(printer.PageHeight() - 2440);
    case ReportType::PhoneBook: return 5040;
    case ReportType::Labels: return 1380;
  }
  return 0;
}

}  // namespace

void SetPrinterFont(Printer& printer, const ProgramSettings& settings) {
  const auto& printing = settings.Printing;
  printer.SetFont(printing.FontName, printing.FontSize, printing.FontBold, printing.FontItalic);
}

int16_t CalcLinesPerPage(Printer& printer, ReportType type) {
  const double lineHeight = printer.TextHeight("A");
  // A font without height cannot print; it counts as no lines at all.
  if (lineHeight <= 0) return 0;
  const double lines = AvailableHeight(printer, type) / lineHeight - 2;
  return static_cast<int16_t>(RoundToEven(std::min(lines, 32767.0)));
}

std::optional<PrinterFontInfo> CurrentPrinterFont() {
  try {
    Printer& printer = ThePrinter();
    return PrinterFontInfo{printer.FontName(), printer.FontSize()};
  } catch (const PlatformFailure&) {
    return std::nullopt;
  }
}
