#include "interchange/LatinText.h"

#include "platform/AnsiText.h"
#include "platform/Transliteration.h"

QString LatinText(const QString& text) {
  QString result;
  qsizetype i = 0;
  while (i < text.size()) {
    if (IsAnsiCharacter(text[i])) {
      result += text[i++];
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && !IsAnsiCharacter(text[end])) ++end;
    const QString latin = Transliterator().ToLatin(text.mid(i, end - i));
    for (qsizetype k = 0; k < latin.size(); ++k) {
      if (IsAnsiCharacter(latin[k])) {
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
