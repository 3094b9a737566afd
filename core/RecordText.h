#pragma once

#include <string>

#include <QString>

#include "core/BookText.h"

// The text of a record's field as shown to the user. Every reader of record
// text for display or matching goes through here, so the book's text encoding
// is decided in one place.
inline QString RecordText(const std::string& field) { return ShownText(field); }
