#pragma once

#include <string>

#include <QByteArray>

#include "core/BookState.h"
#include "interchange/ImportSource.h"

// The first difference between two books in what a vCard round trip keeps:
// name, company, print-as, address, groups by name, the numbers with their
// phone names, and notes. "" when there is none.
std::string RoundTripDifference(const BookState& expected, const BookState& actual);

// Imports a file's bytes, read as the given format, into a new book and checks the
// result: every invariant of a book, every value short enough for the data
// file, and a vCard 3.0 and 4.0 export of it importing as the same records.
// Returns what went wrong, or "".
std::string CheckImportOf(const QByteArray& bytes, ImportFormat format);

// A new book with the records of a vCard file imported.
BookState ImportedBook(const std::string& vcards);
