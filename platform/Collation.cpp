#include "platform/Collation.h"

#include <QCollator>
#include <QLocale>

#include "platform/AnsiText.h"

namespace {

const QCollator& CaseInsensitiveCollator() {
  static const QCollator collator = [] {
    QCollator c{QLocale()};
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return collator;
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

int CompareTextIgnoringCase(const QString& a, const QString& b) {
  return Sign(CaseInsensitiveCollator().compare(a, b));
}

int CompareAnsiIgnoringCase(const std::string& a, const std::string& b) {
  return CompareTextIgnoringCase(AnsiToQString(a), AnsiToQString(b));
}

IgnoringCaseKey::IgnoringCaseKey(const std::string& text) : text_(AnsiToQString(text)) {}

int IgnoringCaseKey::Compare(const IgnoringCaseKey& other) const { return CompareTextIgnoringCase(text_, other.text_); }

int CompareBytes(const std::string& a, const std::string& b) {
  // Compares as unsigned characters, so codes above 127 sort after the others.
  return Sign(a.compare(b));
}
