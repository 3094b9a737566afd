#pragma once

#include <QString>
#include <QStringList>

// A name from its parts in reading order (prefix, given, additional, family,
// suffix), the empty ones left out.
QString ComposeName(const QStringList& partsInReadingOrder);

struct FamilyAndGiven {
  QString Family;
  QString Given;
};

// The family and given names of a name as typed: the part before a comma and
// the part after it ("Smith, John"), else the last word and the words before it.
FamilyAndGiven SplitName(const QString& name);
