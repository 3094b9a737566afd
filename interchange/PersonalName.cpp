#include "interchange/PersonalName.h"

QString ComposeName(const QStringList& partsInReadingOrder) {
  QStringList parts;
  for (const QString& part : partsInReadingOrder)
    if (!part.trimmed().isEmpty()) parts << part.trimmed();
  return parts.join(' ');
}

FamilyAndGiven SplitName(const QString& name) {
  const QString trimmed = name.trimmed();
  const qsizetype comma = trimmed.indexOf(',');
  if (comma >= 0) return {trimmed.left(comma).trimmed(), trimmed.mid(comma + 1).trimmed()};
  const qsizetype blank = trimmed.lastIndexOf(' ');
  if (blank < 0) return {trimmed, {}};
  return {trimmed.mid(blank + 1), trimmed.left(blank).trimmed()};
}
