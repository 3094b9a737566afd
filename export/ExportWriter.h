#pragma once

#include <array>
#include <string>

#include <QString>
#include <QStringList>

#include "core/BookState.h"
#include "core/ExportFile.h"
#include "core/ProgramSettings.h"
#include "platform/PlatformError.h"

// One entry of the separator choice: its text in the list and what is
// written between two columns.
struct ExportSeparator {
  const char* Shown;
  const char* Written;
};

inline constexpr std::array<ExportSeparator, 4> kExportSeparators{{
    {",", ","},
    {";", ";"},
    {"{tab}", "\t"},
    {"{space}", " "},
}};

// Bits of the exported columns, in column order.
enum ExportField {
  kExportName = 1 << 0,
  kExportCompany = 1 << 1,
  kExportPrintAs = 1 << 2,
  kExportAddress = 1 << 3,
  kExportPhone1 = 1 << 4,  // Phone 2 to 4 follow in the next bits
  kExportGroup = 1 << 8,
  kExportNotes = 1 << 9,
};
inline constexpr int kExportFieldCount = 10;

// A multi-line text as one line: blanks and line breaks at its ends removed,
// every inner CR LF replaced by "|".
std::string FlattenLines(const std::string& text);

// The export file's bytes: one line per record with the chosen columns,
// each in double quotes, ended by CR LF; windows-1252 for an old-edition
// book or when options ask for the code page ('?' for what it cannot
// hold), UTF-8 otherwise.
std::string ExportText(const BookState& book, const ProgramSettings::ExportSection& options);

// The records whose exported line windows-1252 cannot hold whole, each as
// "Record 3: Иван Петров".
QStringList RecordsNotInCodePage(const BookState& book, const ProgramSettings::ExportSection& options);

// Writes the export of book to options.File, as WriteExportFile does.
ExportOutcome ExportBook(const BookState& book, const ProgramSettings::ExportSection& options, PlatformError& error);
