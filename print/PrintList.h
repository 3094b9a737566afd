#pragma once

#include <string>

#include "core/BookState.h"
#include "print/PrintJob.h"
#include "core/Outcome.h"

// Appends the indexes of the matching records, in document order; the
// outcome says why it failed.
Outcome BuildPrintList(const BookState& book, PrintJob& job);

// The company of a business, the name last-name-first of a person.
std::string DisplayKey(const AddressRecord& record);

// Orders the print list by display key, ignoring letter case.
void SortPrintList(const BookState& book, PrintJob& job);
