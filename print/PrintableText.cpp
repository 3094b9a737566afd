#include "print/PrintableText.h"

#include <algorithm>

#include <QDate>
#include <QLocale>
#include <QTextBoundaryFinder>

#include "core/BookText.h"

std::string OneLineText(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, ' ');
  return text;
}

std::string TodayShortDate() { return StoredText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)); }

std::vector<size_t> CharacterEnds(const std::string& text) {
  const QString shown = ShownText(text);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, shown);
  std::vector<size_t> ends;
  qsizetype from = 0;
  size_t bytes = 0;
  for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
    bytes += static_cast<size_t>(QStringView(shown).mid(from, end - from).toUtf8().size());
    ends.push_back(bytes);
    from = end;
  }
  return ends;
}
