#pragma once

#include <vector>

#include <QString>

#include "core/BookState.h"

// Changes that no one could be asked about, because the program was ended
// from outside (a signal, the end of the desktop session), are kept in a
// recovery file in the user's data folder, never over the book's own file,
// with a note beside it naming the book. The next start offers them.
struct KeptChanges {
  QString RecoveryFile;  // a data file holding the changed book
  QString BookFile;      // the book's own file, or "Untitled"
  FileStamp OnDisk;      // that file as the ended program had last loaded or saved it
};

// Writes a changed book to this run's recovery file and its note; every call
// in one run writes the same file. An unchanged book is not written.
void KeepChangesForRecovery(const BookState& book);

// The changes that earlier runs kept, oldest first.
std::vector<KeptChanges> KeptChangesInRecoveryFolder();

// Removes a recovery file and its note, once their changes are open in a window.
void RemoveKeptChanges(const KeptChanges& kept);
