#include "print/PageBody.h"

#include <string>

#include "print/PrintRounding.h"
#include "print/PrintableText.h"

namespace {

// The longest start of left, cut between characters, that ends with two
// spaces after it at or before col when printed from x. Widths grow with the
// text, so the cut point is found by halving rather than one character at a
// time.
size_t FittingLength(Printer& printer, const std::string& left, double x, double col) {
  const auto fits = [&](size_t length) { return x + printer.TextWidth(left.substr(0, length) + "  ") <= col; };
  if (fits(left.size())) return left.size();
  const std::vector<size_t> ends = CharacterEnds(left);
  size_t low = 0;             // characters that fit, or none: the empty text is printed anyway
  size_t high = ends.size();  // characters that do not fit
  while (high - low > 1) {
    const size_t middle = low + (high - low) / 2;
    (fits(ends[middle - 1]) ? low : high) = middle;
  }
  return low == 0 ? 0 : ends[low - 1];
}

void PrintDotLeaders(Printer& printer, double col) {
  const int dotWidth = RoundToEven(printer.TextWidth("."));
  // A font whose dot has no width gets no leaders rather than endless ones.
  if (dotWidth < 1) return;
  const int count = RoundToEven(col - printer.CurrentX()) / dotWidth;
  const std::string dots(static_cast<size_t>(count), '.');
  printer.SetCurrentX(col - printer.TextWidth(dots));
  printer.PrintText(dots);
}

void PrintTwoPartLine(Printer& printer, const std::string& line, size_t tab, int rightEdge) {
  const std::string right = line.substr(tab + 1);
  std::string left = line.substr(0, tab);
  const int col = RoundToEven(rightEdge - printer.TextWidth(right));
  const size_t length = FittingLength(printer, left, printer.CurrentX(), col);
  const bool cut = length < left.size();
  left.resize(length);
  printer.PrintText(left);
  if (!cut && printer.CurrentX() < col) PrintDotLeaders(printer, col);
  printer.SetCurrentX(col);
  printer.PrintText(right);
}

}  // namespace

void PrintPageBody(Printer& printer, LineFile& file, const PageRect& rect, int page, int margin) {
  const double lineHeight = printer.TextHeight("A");
  const std::string number = "-" + std::to_string(page) + "-";
  printer.SetCurrentX(rect.Left + (rect.Right - rect.Left - printer.TextWidth(number)) / 2);
  printer.SetCurrentY(rect.Bottom - margin - lineHeight);
  printer.PrintText(number);

  const int linesPerPage = file.LinesPerPage();
  for (int k = 1; k <= linesPerPage; ++k) {
    const int64_t index = static_cast<int64_t>(page - 1) * linesPerPage + k;
    if (index > file.TotalLines()) break;
    const std::string line = file.ReadLine(static_cast<int32_t>(index));
    printer.SetCurrentX(rect.Left + margin);
    printer.SetCurrentY(lineHeight * (k - 1) + rect.Top + margin);
    const size_t tab = line.find('\t');
    if (tab == std::string::npos)
      printer.PrintText(line);  // not cut at the right edge
    else
      PrintTwoPartLine(printer, line, tab, rect.Right - margin);
  }
}
