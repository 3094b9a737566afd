#pragma once

#include "core/BookState.h"

// Takes the outcome of a sync run on a copy of the book into the book as it
// is now, keeping what was edited meanwhile. before is the copy as the sync
// started from it, synced the copy as the sync left it. A record changed in
// the window since keeps that change (the fields it left alone take the
// sync's values) and goes up at the next sync; one added in the window stays;
// one deleted in the window stays deleted unless the sync brought a change to
// it from the server; records the sync added, changed or deleted and the
// window left alone take the sync's outcome. Returns how many records kept an
// edit made during the sync.
int TakeSyncOutcome(BookState& now, const BookState& before, const BookState& synced);
