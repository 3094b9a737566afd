#pragma once

#include "core/BookGuard.h"
#include "core/BookState.h"

// At start-up: tells the user of changes that an earlier run kept because it
// was ended before they were saved, and opens them in place of book when the
// user wants, unsaved and under the book's own name. Declined changes stay
// for the next start. True when book was replaced.
bool OfferKeptChanges(BookState& book, BookGuard& guard);
