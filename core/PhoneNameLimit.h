#pragma once

#include "core/BookState.h"

// True when the phone name list can take another name; otherwise tells the
// user that it holds as many as a data file can store.
bool RoomForAnotherPhoneName(const BookState& book);
