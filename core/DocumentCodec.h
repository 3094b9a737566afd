#pragma once

#include <optional>
#include <string>

#include "core/BookState.h"
#include "platform/ByteSource.h"
#include "platform/PlatformError.h"

// The first ten bytes of each edition of the data file.
inline constexpr const char* kDataFileMagic = "QUILLBOX00";
inline constexpr const char* kUnicodeDataFileMagic = "VANTREOU01";

enum class DecodeResult { Ok, NotADataFile, Damaged };

// Fills book (all but FileName, Dirty and OnDisk) from a data file of either
// edition (Edition tells which), reading
// no further than its last record. On Damaged, error says why and book is
// left in an unspecified but valid state.
DecodeResult DecodeDocument(ByteSource& source, BookState& book, PlatformError& error);
DecodeResult DecodeDocument(const std::string& bytes, BookState& book, PlatformError& error);

// The bytes of the data file for book in its edition, or nothing (with error
// set) when the document holds more than that edition can store.
std::optional<std::string> EncodeDocument(const BookState& book, PlatformError& error);
