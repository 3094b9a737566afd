#include "print/WrapText.h"

namespace {

bool IsWordCharacter(char c) { return static_cast<unsigned char>(c) > ' '; }

void Flush(std::string& line, std::vector<std::string>& lines) {
  const size_t end = line.find_last_not_of(' ');
  lines.push_back(end == std::string::npos ? std::string() : line.substr(0, end + 1));
  line.clear();
}

}  // namespace

void WrapText(Printer& printer, const std::string& text, std::vector<std::string>& lines, double maxWidth) {
  std::string line;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t wordStart = pos;
    while (pos < text.size() && IsWordCharacter(text[pos])) ++pos;
    const std::string word = text.substr(wordStart, pos - wordStart);
    // Also when line is empty, so a word too wide for any line follows an
    // empty one.
    if (printer.TextWidth(line + word) > maxWidth) Flush(line, lines);
    line += word;
    for (; pos < text.size() && !IsWordCharacter(text[pos]); ++pos) {
      if (text[pos] == ' ' || text[pos] == '\t')
        line += ' ';
      else if (text[pos] == '\n')
        Flush(line, lines);
    }
  }
  if (!line.empty()) Flush(line, lines);
}
