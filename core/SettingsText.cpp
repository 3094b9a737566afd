#include "core/SettingsText.h"

#include <cmath>
#include <limits>

namespace {

// The text without the blanks, tabs and line feeds that the number reader skips.
QString WithoutBlanks(const QString& text) {
  QString result;
  for (const QChar c : text)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') result += c;
  return result;
}

bool IsDigitOf(QChar c, int radix) {
  bool ok = false;
  QString(c).toInt(&ok, radix);
  return ok;
}

// "&H" / "&O" numbers: up to four hexadecimal digits (or an octal value up to
// 0xFFFF) are a 16-bit value, more a 32-bit one.
std::optional<double> ReadRadixNumber(const QString& text, qsizetype* used) {
  if (text.size() < 2 || text[0] != '&') return std::nullopt;
  const QChar kind = text[1].toUpper();
  const int radix = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
  if (radix == 0) return std::nullopt;
  constexpr qsizetype kMaxDigits = 11;
  qsizetype end = 2;
  while (end < text.size() && end - 2 < kMaxDigits && IsDigitOf(text[end], radix)) ++end;
  if (used) *used = end;
  if (end == 2) return 0.0;
  const quint64 value = text.mid(2, end - 2).toULongLong(nullptr, radix);
  const bool shortForm = radix == 16 ? end - 2 <= 4 : value <= 0xFFFF;
  if (shortForm) return static_cast<double>(static_cast<int16_t>(value & 0xFFFF));
  return static_cast<double>(static_cast<int32_t>(value & 0xFFFFFFFF));
}

// Length of the longest prefix of text that is a decimal number.
qsizetype DecimalPrefixLength(const QString& text) {
  qsizetype i = 0;
  const auto digits = [&] {
    const qsizetype start = i;
    while (i < text.size() && text[i].isDigit()) ++i;
    return i > start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool any = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    any = digits() || any;
  }
  if (!any) return 0;
  const qsizetype mantissaEnd = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return mantissaEnd;
  }
  return i;
}

double ParseDecimal(const QString& prefix) {
  QString normal = prefix;
  normal.replace('d', 'e').replace('D', 'e');
  return normal.toDouble();
}

}  // namespace

bool ReadLooseBoolean(const QString& text) {
  return text.contains(QLatin1String("true"), Qt::CaseInsensitive) ||
         text.contains(QLatin1String("yes"), Qt::CaseInsensitive);
}

std::optional<bool> ReadStrictBoolean(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
  if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
  qsizetype used = 0;
  if (const auto radix = ReadRadixNumber(trimmed, &used); radix && used == trimmed.size() && used > 2)
    return *radix != 0;
  if (!trimmed.isEmpty() && DecimalPrefixLength(trimmed) == trimmed.size())
    return ParseDecimal(trimmed) != 0;
  return std::nullopt;
}

double ReadNumber(const QString& text) {
  const QString compact = WithoutBlanks(text);
  if (const auto radix = ReadRadixNumber(compact, nullptr)) return *radix;
  const qsizetype length = DecimalPrefixLength(compact);
  return length == 0 ? 0.0 : ParseDecimal(compact.left(length));
}

int16_t ReadInteger16(const QString& text) {
  const double rounded = std::nearbyint(ReadNumber(text));  // default rounding: half to even
  const double low = std::numeric_limits<int16_t>::min();
  const double high = std::numeric_limits<int16_t>::max();
  if (std::isnan(rounded)) return 0;
  return static_cast<int16_t>(rounded < low ? low : rounded > high ? high : rounded);
}

QString BooleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString OffsetText(float inches) { return QString::number(static_cast<double>(inches), 'f', 2); }

QString HexMaskText(int16_t mask) {
  return QStringLiteral("&H") + QString::number(static_cast<uint16_t>(mask), 16).toUpper();
}
