#pragma once

#include "core/BookState.h"

class QWidget;

// The number of records that belong to group g.
int CountGroupMembers(const BookState& book, int g);

// Removes group g from the list: every later group moves down one index,
// and the records of g move to target (an index in the new numbering, or -1
// for no group), each group appearing at most once in a record. Sets Dirty.
void RemoveGroup(BookState& book, int g, int target);

// Deletes group g after asking the user: whether to delete it when it is
// empty, otherwise where its records should go (frmDelGroup over parent).
// Returns false when the user declined; the book is then unchanged.
bool DeleteGroup(BookState& book, int g, QWidget* parent = nullptr);
