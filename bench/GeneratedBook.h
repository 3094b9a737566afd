#pragma once

#include "core/BookState.h"

// A book of count records with realistic names, companies, addresses, phone
// numbers, notes and groups; the same seed gives the same book.
BookState GenerateBook(int count, unsigned seed = 1);
