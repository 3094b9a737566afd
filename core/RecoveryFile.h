#pragma once

#include <string>
#include <vector>

#include <QString>

#include "core/BookState.h"
#include "platform/PlatformError.h"

// Changes that no one could be asked about, because the program was ended
// from outside (a signal, the end of the desktop session), are kept in a
// recovery file in the user's data folder, never over the book's own file,
// with a note beside it naming the book. The next start offers them.
struct KeptChanges {
  QString RecoveryFile;  // a data file holding the changed book
  QString BookFile;      // the book's own file, or "Untitled"
  FileStamp OnDisk;      // that file as the ended program had last loaded or saved it
  bool InterruptedSave = false;  // a copy of a save in place that did not finish: the book file may be damaged
};

// Writes a changed book to this run's recovery file and its note; every call
// in one run writes the same file. An unchanged book is not written.
void KeepChangesForRecovery(const BookState& book);

// Before a book is overwritten in place: writes the bytes about to be
// written (synced) as this run's recovery file, which the next start offers
// should the write not finish. False, with error set, when it cannot.
bool KeepCopyOfSave(const BookState& book, const std::string& bytes, PlatformError& error);

// Removes this run's recovery file once the save in place has finished.
void RemoveCopyOfSave(const BookState& book);

// The changes that earlier runs kept, oldest first.
std::vector<KeptChanges> KeptChangesInRecoveryFolder();

// Removes a recovery file and its note, once their changes are open in a window.
void RemoveKeptChanges(const KeptChanges& kept);
