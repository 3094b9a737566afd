#pragma once

#include <QString>

#include "interchange/CsvColumns.h"

// A header as a common export writes it (lower case), and what its column holds.
struct KnownHeader {
  const char* Header;
  CsvField Field;
  const char* Label;  // phone name, address kind, Notes label or group separator
  int Set = 0;        // the address a part belongs to: 1 work, 2 home, 3 other
  NotesOrder Rank = kNotesOther;
};

// The known header with this name in any letter case, or nullptr.
const KnownHeader* FindKnownHeader(const QString& header);

// What a header's words suggest its column holds ("Handy privat" is a
// phone named "Mobile"); Recognised is false, as the user still confirms it.
// Notes under the header when no word is known.
CsvColumn GuessColumn(const QString& header);
