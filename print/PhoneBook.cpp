#include "print/PhoneBook.h"

#include <string>
#include <vector>

#include "platform/BusyPointer.h"
#include "print/PageBody.h"
#include "print/PrintableText.h"
#include "print/PrinterFont.h"
#include "print/ReadyPagePrompt.h"
#include "print/SheetMarks.h"
#include "print/WrapText.h"

namespace {

constexpr int kSmallPageMargin = 180;
constexpr int kSmallPageWidth = 3960;
constexpr double kTitleWidth = 3600;
constexpr int kTitleTop = 1350;
constexpr int kTitleSpace = 3240;

void PrintCover(Printer& printer, const PageRect& rect, const std::string& title) {
  std::vector<std::string> lines;
  WrapText(printer, title, lines, kTitleWidth);
  const double lineHeight = printer.TextHeight("A");
  for (size_t k = 0; k < lines.size(); ++k) {
    if (lineHeight * static_cast<double>(k + 1) > kTitleSpace) break;
    printer.SetCurrentX((kSmallPageWidth - printer.TextWidth(lines[k])) / 2 + rect.Left);
    printer.SetCurrentY(kTitleTop + rect.Top + lineHeight * static_cast<double>(k));
    printer.PrintText(lines[k]);
  }
  const std::string date = TodayShortDate();
  printer.SetCurrentX((kSmallPageWidth - printer.TextWidth(date)) / 2 + rect.Left);
  printer.SetCurrentY(rect.Top + kTitleSpace);
  printer.PrintText(date);
}

bool AskForSideB(int sheet, bool& promptEachPage) {
  NormalPointer normal;
  return ReadyPage().Ask("Page " + std::to_string(sheet) + " - Side B", promptEachPage);
}

class Booklet {
 public:
  Booklet(Printer& printer, LineFile& file, const ProgramSettings& settings)
      : printer_(printer), file_(file), settings_(settings) {
    const int pages = file.PageCount();
    n_ = (pages + 3) / 4 * 4;
    half_ = n_ / 2;
  }

  // Fronts, then backs on the turned stack, shifted by the offsets.
  void PrintInTwoPasses() {
    Start();
    PrintSideA();
    printer_.EndDocument();
    ApplyOffsets(rects_, settings_.Printing.XOffset, settings_.Printing.YOffset);
    printer_.StartSideB();
    PrintSideB();
  }

  // Each sheet's back right after its front, for a printer that turns the
  // sheet itself: no offsets, no prompts.
  void PrintInOnePass() {
    Start();
    for (int i = -1; i <= half_; i += 4) {
      if (i != -1) printer_.NewPage();
      PrintFront(i);
      printer_.NewPage();
      PrintBack(i);
    }
  }

 private:
  void Start() {
    SetPrinterFont(printer_, settings_);
    InitSheetRects(printer_, rects_);
  }

  void PrintSideA() {
    for (int i = -1; i <= half_; i += 4) {
      if (i != -1) printer_.NewPage();
      PrintFront(i);
    }
  }

  // Only paper needs the user to turn the stack and feed each sheet.
  void PrintSideB() {
    bool promptEachPage = printer_.FeedsPaper();
    const int start = half_ % 4 == 0 ? half_ - 1 : half_ - 3;
    for (int i = start; i >= -1; i -= 4) {
      if (i != start) printer_.NewPage();
      if (promptEachPage) {
        printer_.EndDocument();
        SetPrinterFont(printer_, settings_);
        if (!AskForSideB(SheetOf(i), promptEachPage)) return;
      }
      PrintBack(i);
    }
  }

  // Sheet index i runs -1, 3, 7, ...; the sheet number is (i + 1) / 4 + 1.
  static int SheetOf(int i) { return (i + 1) / 4 + 1; }

  void PrintFront(int i) {
    printer_.NamePage(QStringLiteral("Side A of sheet %1").arg(SheetOf(i)));
    if (i == -1) {
      PrintCover(printer_, rects_[0], settings_.Printing.Title);
    } else {
      PrintPage(0, i);
      PrintPage(1, n_ - i + 1);
    }
    const bool lowerRow = i != half_ - 1;
    if (lowerRow) {
      PrintPage(2, i + 2);
      PrintPage(3, n_ - i - 1);
    }
    DrawCropMarks(printer_, rects_, lowerRow, {});
  }

  // The back of the cover stays empty.
  void PrintBack(int i) {
    printer_.NamePage(QStringLiteral("Side B of sheet %1").arg(SheetOf(i)));
    if (i != -1) {
      PrintPage(0, n_ - i);
      PrintPage(1, i + 1);
    }
    const bool lowerRow = i != half_ - 1;
    if (lowerRow) {
      PrintPage(2, n_ - i - 2);
      PrintPage(3, i + 3);
    }
    DrawCropMarks(printer_, rects_, lowerRow, {});
  }

  void PrintPage(int rect, int page) {
    PrintPageBody(printer_, file_, rects_[static_cast<size_t>(rect)], page, kSmallPageMargin);
  }

  Printer& printer_;
  LineFile& file_;
  const ProgramSettings& settings_;
  SheetRects rects_{};
  int n_ = 0;
  int half_ = 0;
};

}  // namespace

void PrintPhoneBook(Printer& printer, LineFile& file, const ProgramSettings& settings, JobSides sides) {
  Booklet booklet(printer, file, settings);
  if (sides == JobSides::BothSidesInOnePass)
    booklet.PrintInOnePass();
  else
    booklet.PrintInTwoPasses();
}
