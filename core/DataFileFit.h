#pragma once

#include "core/BookState.h"

// A copy of book that a data file can hold, for the last resort of keeping
// it for recovery when it has grown past the file's limits: phone names
// beyond the largest count (which no record can name, as indexes are 16-bit)
// are left out, records beyond the largest count too, and texts are cut to
// the longest a file stores.
BookState FittedToDataFile(const BookState& book);
