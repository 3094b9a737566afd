#pragma once

#include <string>

#include "core/BookState.h"

// Describes the first broken invariant of the document, or "" when it has none.
std::string BrokenInvariant(const BookState& book);
