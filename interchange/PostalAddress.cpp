#include "interchange/PostalAddress.h"

#include <QRegularExpression>

QStringList PostalLines(const PostalParts& parts) {
  QStringList lines;
  for (const QString& street : parts.Street)
    if (!street.trimmed().isEmpty()) lines << street;
  const QString regionLine = QStringList{parts.Region.trimmed(), parts.Postcode.trimmed()}.join(' ').trimmed();
  QStringList cityParts;
  if (!parts.City.trimmed().isEmpty()) cityParts << parts.City.trimmed();
  if (!regionLine.isEmpty()) cityParts << regionLine;
  if (!cityParts.isEmpty()) lines << cityParts.join(QStringLiteral(", "));
  if (!parts.Country.trimmed().isEmpty()) lines << parts.Country.trimmed();
  return lines;
}

PostalParts SplitPostalLines(const QStringList& lines) {
  static const QRegularExpression usCityLine(QStringLiteral("^\\s*([^,]+?)\\s*,\\s*([A-Za-z]{2})\\s+(\\d{5}(?:-\\d{4})?)\\s*$"));
  PostalParts parts;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QRegularExpressionMatch match = usCityLine.match(lines[i]);
    if (!match.hasMatch()) continue;
    parts.Street = lines.mid(0, i);
    parts.City = match.captured(1);
    parts.Region = match.captured(2);
    parts.Postcode = match.captured(3);
    parts.Country = lines.mid(i + 1).join(QStringLiteral(", "));
    return parts;
  }
  parts.Street = lines;
  return parts;
}
