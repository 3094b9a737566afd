#pragma once

#include <optional>
#include <string>

#include "core/BookState.h"
#include "platform/ByteSource.h"
#include "platform/PlatformError.h"

inline constexpr const char* kDataFileMagic = "QUILLBOX00";

enum class DecodeResult { Ok, NotADataFile, Damaged };

// Fills book (all but FileName, Dirty and OnDisk) from a data file, reading
// no further than its last record. On Damaged, error says why and book is
// left in an unspecified but valid state.
DecodeResult DecodeDocument(ByteSource& source, BookState& book, PlatformError& error);
DecodeResult DecodeDocument(const std::string& bytes, BookState& book, PlatformError& error);

// The bytes of the data file for book, or nothing (with error set) when the
// document holds more than the file format can store.
std::optional<std::string> EncodeDocument(const BookState& book, PlatformError& error);
