#include "print/PhoneList.h"

#include "print/PageBody.h"
#include "print/PrintRounding.h"
#include "print/PrintableText.h"
#include "print/PrinterFont.h"

namespace {

constexpr int kPageMargin = 1220;

}  // namespace

void PrintPhoneList(Printer& printer, LineFile& file, const ProgramSettings& settings) {
  const int width = RoundToEven(printer.PageWidth());
  const int height = RoundToEven(printer.PageHeight());
  const PageRect page{0, 0, static_cast<int16_t>(width), static_cast<int16_t>(height)};
  const std::string title = OneLineText(settings.Printing.Title);
  const int pages = file.PageCount();
  for (int number = 1; number <= pages; ++number) {
    if (number > 1) printer.NewPage();
    SetPrinterFont(printer, settings);
    const double lineHeight = printer.TextHeight("A");

    printer.SetCurrentX((printer.PageWidth() - printer.TextWidth(title)) / 2);
    printer.SetCurrentY((kPageMargin - lineHeight) / 2);
    printer.PrintText(title);

    const std::string date = TodayShortDate();
    printer.SetCurrentX(printer.PageWidth() - kPageMargin - printer.TextWidth(date));
    printer.SetCurrentY(height - kPageMargin - lineHeight);
    printer.PrintText(date);

    PrintPageBody(printer, file, page, number, kPageMargin);
  }
}
