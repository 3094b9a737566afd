#pragma once

#include <QString>
#include <QStringList>

// The parts of a postal address as the interchange formats carry them.
struct PostalParts {
  QStringList Street;  // street lines, top to bottom (also post office box and extended lines)
  QString City;
  QString Region;
  QString Postcode;
  QString Country;
};

// The address as postal lines: street lines, then "City, Region Postcode",
// then the country; empty parts are left out.
QStringList PostalLines(const PostalParts& parts);

// The parts of an address given as lines: a line of the US form
// "City, ST 12345" (or 12345-6789) is split into city, region and postcode,
// the lines before it are the street and the lines after it the country.
// Without such a line every line is a street line.
PostalParts SplitPostalLines(const QStringList& lines);
