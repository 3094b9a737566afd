#pragma once

#include <QString>

// Where needle first occurs in text when both are compared by Unicode's full
// case folding ("STRASSE" matches "Straße", "ИВАН" matches "Иван"), with the
// dotted and dotless i of Turkish as one letter ("IŞIK" matches "Işık"):
// the position in text, in its own UTF-16 units, or -1.
qsizetype IndexOfIgnoringCase(const QString& text, const QString& needle);
