#pragma once

#include "core/BookState.h"

class QWidget;

// True when a record's phone slot or a default for new records uses phone name p.
bool PhoneNameInUse(const BookState& book, int p);

// Removes phone name p from the list: later names move down one index, and
// references to p (records and defaults) become target, an index in the new
// numbering or -1 for "<Blank>". Sets Dirty.
void RemovePhoneName(BookState& book, int p, int target);

// Deletes phone name p after asking the user: whether to delete it when it is
// unused, otherwise what its references should become (frmDelGroup over
// parent). Returns false when the user declined; the book is then unchanged.
bool DeletePhoneName(BookState& book, int p, QWidget* parent = nullptr);
