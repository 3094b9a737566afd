#pragma once

#include <QString>

#include "core/BookState.h"
#include "core/Outcome.h"

// Replaces the document with the data file at path. A missing file gives a
// new document under that name; a file that is not a data file (or no file
// at all: a folder, a device, a named pipe) leaves the document as it was
// (refused); a file that cannot be read gives a new "Untitled" document
// (failed, with the system's error).
Outcome LoadDocument(BookState& book, const QString& path);

// Writes the whole document to its FileName, keeping the file it replaces as
// "<FileName>.bak"; success clears Dirty. A failed save leaves the previous
// file untouched and the document as it was.
Outcome SaveDocument(BookState& book);

// True when the document's file on disk is no longer the one it was loaded
// from or last saved to: another program has written, replaced or created it
// since. A file that has gone counts as unchanged, as nothing in it is lost.
bool FileChangedOnDisk(const BookState& book);
