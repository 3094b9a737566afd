#include "interchange/LatinText.h"

#include <array>

#include "platform/AnsiText.h"
#include "platform/Transliteration.h"

namespace {

// Which of the first 65,536 code points have a windows-1252 byte.
const std::array<bool, 0x10000>& AnsiCharacters() {
  static const std::array<bool, 0x10000> characters = [] {
    std::array<bool, 0x10000> table{};
    for (int code = 0; code < 256; ++code)
      for (const QChar c : AnsiToQString(std::string(1, static_cast<char>(code)))) table[c.unicode()] = true;
    return table;
  }();
  return characters;
}

bool HasAnsiByte(QChar c) { return AnsiCharacters()[c.unicode()]; }

}  // namespace

QString LatinText(const QString& text) {
  QString result;
  qsizetype i = 0;
  while (i < text.size()) {
    if (HasAnsiByte(text[i])) {
      result += text[i++];
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && !HasAnsiByte(text[end])) ++end;
    const QString latin = Transliterator().ToLatin(text.mid(i, end - i));
    for (qsizetype k = 0; k < latin.size(); ++k) {
      if (HasAnsiByte(latin[k])) {
        result += latin[k];
      } else {
        result += QLatin1Char('?');
        if (latin[k].isHighSurrogate() && k + 1 < latin.size() && latin[k + 1].isLowSurrogate()) ++k;
      }
    }
    i = end;
  }
  return result;
}
