#pragma once

#include <string>

#include <QString>

#include "core/BookState.h"
#include "platform/PlatformError.h"

enum class ExportOutcome {
  Written,
  RefusedBook,         // the output is the book being exported
  RefusedAddressBook,  // the output is another address book
  Failed,              // error says why
};

// Writes an export of book (a vCard or text file) to path: never over the
// book itself nor over any other address book; a file it replaces is kept as
// "<path>.bak". The old file stays whole when the write fails.
ExportOutcome WriteExportFile(const BookState& book, const QString& path, const std::string& bytes,
                              PlatformError& error);

// The refusal's words for RefusedBook and RefusedAddressBook.
QString ExportRefusal(ExportOutcome outcome, const QString& path);

// The words for Failed, before the system's reason.
QString ExportFailure(const QString& path);
