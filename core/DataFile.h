#pragma once

#include <QString>

#include "core/BookState.h"

// Replaces the document with the data file at path. A missing file gives a
// new document under that name; a file that is not a data file leaves the
// document as it was; a file that cannot be read gives a new "Untitled"
// document. Failures are reported to the user.
void LoadDocument(BookState& book, const QString& path);

// Writes the whole document to its FileName; success clears Dirty. A failed
// save is reported and leaves the previous file untouched.
void SaveDocument(BookState& book);
