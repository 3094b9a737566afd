#include "print/SheetMarks.h"

#include "print/PrintRounding.h"

namespace {

constexpr int kSmallPageWidth = 3960;
constexpr int kSmallPageHeight = 5400;
constexpr int kCrossArm = 75;
constexpr double kTwipsPerInch = 1440;

PageRect Rect(int left, int top) {
  return {static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(left + kSmallPageWidth),
          static_cast<int16_t>(top + kSmallPageHeight)};
}

int16_t Shifted(int16_t value, float inches) { return static_cast<int16_t>(RoundToEven(value + inches * kTwipsPerInch)); }

}  // namespace

void InitSheetRects(Printer& printer, SheetRects& rects) {
  const int cx = RoundToEven(printer.PageWidth() / 2);
  const int cy = RoundToEven(printer.PageHeight() / 2);
  rects = {Rect(cx, cy - kSmallPageHeight), Rect(cx - kSmallPageWidth, cy - kSmallPageHeight), Rect(cx, cy),
           Rect(cx - kSmallPageWidth, cy)};
}

void ApplyOffsets(SheetRects& rects, float xOffset, float yOffset) {
  for (PageRect& rect : rects) {
    rect.Left = Shifted(rect.Left, xOffset);
    rect.Right = Shifted(rect.Right, xOffset);
    rect.Top = Shifted(rect.Top, yOffset);
    rect.Bottom = Shifted(rect.Bottom, yOffset);
  }
}

void DrawCross(Printer& printer, int x, int y) {
  printer.DrawLine(x, y - kCrossArm, x, y + kCrossArm);
  printer.DrawLine(x - kCrossArm, y, x + kCrossArm, y);
}

void DrawCropMarks(Printer& printer, const SheetRects& rects, bool lowerRow, const std::string& caption) {
  const PageRect& topRight = rects[0];
  const PageRect& topLeft = rects[1];
  const PageRect& bottomRight = rects[2];
  for (int y : {topRight.Top, topRight.Bottom}) {
    DrawCross(printer, topRight.Right, y);
    DrawCross(printer, topRight.Left, y);
    DrawCross(printer, topLeft.Left, y);
  }
  if (lowerRow) {
    DrawCross(printer, topRight.Right, bottomRight.Bottom);
    DrawCross(printer, topRight.Left, bottomRight.Bottom);
    DrawCross(printer, topLeft.Left, bottomRight.Bottom);
  }
  printer.SetCurrentX((printer.PageWidth() - printer.TextWidth(caption)) / 2);
  printer.SetCurrentY((topRight.Top - printer.TextHeight("A")) / 2);
  printer.PrintText(caption);
}
