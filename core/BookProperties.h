#pragma once

#include <QString>

#include "core/BookState.h"

// The edition of the data file the book is kept in, as the user reads it.
QString BookEditionText(const BookState& book);

// Where the book is kept, its edition and how many records it holds, one
// line each.
QString BookPropertiesText(const BookState& book);
