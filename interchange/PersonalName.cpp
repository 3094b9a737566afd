#include "interchange/PersonalName.h"

#include <algorithm>

namespace {

// Compared without dots and in lower case: "Dr." and "dr" alike.
const QStringList kPrefixes = {"mr", "mrs", "ms", "miss", "mx", "dr", "prof", "rev", "fr", "sir", "dame", "lord", "lady",
                               "hon", "herr", "frau", "mme", "mlle", "sr", "sra", "srta", "don", "doña", "sig",
                               "sig.ra", "dott", "dottssa", "ing", "mag", "dipl"};
const QStringList kSuffixes = {"jr", "sr", "ii", "iii", "iv", "phd", "md", "dds", "esq", "mba", "cpa", "jd",
                               "dphil", "msc", "bsc", "rn", "obe", "mbe", "cbe", "kc", "qc"};
const QStringList kParticles = {"de", "del", "della", "der", "den", "di", "da", "das", "do", "dos", "du", "la", "le",
                                "van", "von", "ter", "ten", "zu", "y", "bin", "ibn", "al", "el", "st"};

QString Bare(const QString& word) {
  QString bare = word.toLower();
  bare.remove(QLatin1Char('.'));
  bare.remove(QLatin1Char(','));
  return bare;
}

bool IsOneOf(const QString& word, const QStringList& list) { return list.contains(Bare(word)); }

}  // namespace

QString ComposeName(std::initializer_list<QString> partsInReadingOrder) {
  QString name;
  for (const QString& part : partsInReadingOrder) {
    const QStringView trimmed = QStringView(part).trimmed();
    if (trimmed.isEmpty()) continue;
    if (!name.isEmpty()) name += QLatin1Char(' ');
    name += trimmed;
  }
  return name;
}

NameParts SplitName(const QString& name) {
  NameParts parts;
  QString rest = name.trimmed();
  // "Smith, John" or "John Smith, Jr.": a comma before a suffix is not the family name's.
  const qsizetype comma = rest.indexOf(',');
  QString afterComma = comma >= 0 ? rest.mid(comma + 1).trimmed() : QString();
  QStringList words = (comma >= 0 ? rest.left(comma) : rest).split(' ', Qt::SkipEmptyParts);
  QStringList suffixes;
  const QStringList afterWords = afterComma.split(' ', Qt::SkipEmptyParts);
  if (!afterWords.isEmpty() &&
      std::all_of(afterWords.begin(), afterWords.end(), [](const QString& word) { return IsOneOf(word, kSuffixes); })) {
    suffixes << afterComma;
    afterComma.clear();
  }
  QStringList prefixes;
  while (words.size() > 1 && IsOneOf(words.front(), kPrefixes)) prefixes << words.takeFirst();
  while (words.size() > 1 && IsOneOf(words.back(), kSuffixes)) suffixes.prepend(words.takeLast());
  parts.Prefix = prefixes.join(' ');
  parts.Suffix = suffixes.join(QStringLiteral(", "));
  if (comma >= 0 && !afterComma.isEmpty()) {
    parts.Family = words.join(' ');
    parts.Given = afterComma;
    return parts;
  }
  qsizetype family = words.size() - 1;
  while (family > 1 && IsOneOf(words[family - 1], kParticles)) --family;
  if (family < 0) return parts;
  parts.Family = words.mid(family).join(' ');
  parts.Given = words.mid(0, family).join(' ');
  return parts;
}
