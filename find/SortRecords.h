#pragma once

#include <string>

#include "core/BookState.h"

// The text a record is sorted by for one sort key (the group text for Group,
// the name turned round when sorting by last name).
std::string SortKeyText(const BookState& book, const AddressRecord& record, const SortKey& key);

// Compares records a and b by the book's sort keys: -1, 0 or +1.
int CompareRecords(const BookState& book, int a, int b);

// Sorts the records in place by the book's sort keys with a Shell sort by
// gap halving, and marks the book changed. An empty book is refused with a
// message.
void SortRecords(BookState& book);
