#pragma once

#include <initializer_list>

#include <QString>
#include <QStringList>

// A name from its parts in reading order (prefix, given, additional, family,
// suffix), the empty ones left out.
QString ComposeName(std::initializer_list<QString> partsInReadingOrder);

// The parts of a name as vCard's N holds them.
struct NameParts {
  QString Family;
  QString Given;
  QString Prefix;  // "Dr.", "Mrs.", "Prof. Dr."
  QString Suffix;  // "Jr.", "III", "PhD"
};

// The parts of a name as typed: honorific prefixes and suffixes ("Dr.",
// "Jr.", "PhD") in their parts, then the part before a comma as the family
// name and the part after it as the given name ("Smith, John"), else the
// last word, with the particles before it ("de la Cruz", "van Dijk"), as the
// family name and the words before them as the given name.
NameParts SplitName(const QString& name);
