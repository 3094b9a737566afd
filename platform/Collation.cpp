#include "platform/Collation.h"

#include <QCollator>
#include <QLocale>


namespace {

QCollator LocaleCollator(Qt::CaseSensitivity sensitivity) {
  QCollator collator{QLocale()};
  collator.setCaseSensitivity(sensitivity);
  return collator;
}

// The collator of the user's locale, made again when the locale changes.
const QCollator& Collator(Qt::CaseSensitivity sensitivity) {
  static QLocale locale;
  static QCollator collators[2] = {LocaleCollator(Qt::CaseInsensitive), LocaleCollator(Qt::CaseSensitive)};
  if (QLocale() != locale) {
    locale = QLocale();
    collators[0] = LocaleCollator(Qt::CaseInsensitive);
    collators[1] = LocaleCollator(Qt::CaseSensitive);
  }
  return collators[sensitivity == Qt::CaseSensitive ? 1 : 0];
}

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

int CompareTextIgnoringCase(const QString& a, const QString& b) {
  return Sign(Collator(Qt::CaseInsensitive).compare(a, b));
}

int CompareUtf8IgnoringCase(const std::string& a, const std::string& b) {
  return CompareTextIgnoringCase(QString::fromStdString(a), QString::fromStdString(b));
}

CollationKey::CollationKey(const std::string& text, Qt::CaseSensitivity sensitivity)
    : text_(QString::fromStdString(text)), sensitivity_(sensitivity) {}

int CollationKey::Compare(const CollationKey& other) const {
  if (sensitivity_ == Qt::CaseInsensitive) return CompareTextIgnoringCase(text_, other.text_);
  return Sign(Collator(Qt::CaseSensitive).compare(text_, other.text_));
}

int CompareBytes(const std::string& a, const std::string& b) {
  // Compares as unsigned characters, so codes above 127 sort after the others.
  return Sign(a.compare(b));
}
