#include "print/PrintableText.h"

#include <algorithm>

#include <QDate>
#include <QLocale>

#include "platform/AnsiText.h"

std::string OneLineText(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, ' ');
  return text;
}

std::string TodayShortDate() { return ToAnsi(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)); }
