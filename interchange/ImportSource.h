#pragma once

#include <functional>
#include <vector>

#include <QByteArray>

#include <QString>

#include "interchange/CsvColumns.h"
#include "interchange/CsvTable.h"
#include "interchange/ImportedContact.h"
#include "platform/PlatformError.h"

enum class ImportFormat { VCard, Csv };

// One file chosen for import, read and recognised by its content.
struct ImportSource {
  QString Path;
  ImportFormat Format = ImportFormat::VCard;
  ReadResult Cards;                // a vCard file's contacts
  QByteArray CardText;             // or, opened to be read when planned, its text
  CsvTable Table;                  // a CSV file's rows
  std::vector<CsvColumn> Columns;  // and what its columns hold
};

enum class SourceOutcome {
  Read,
  Unreadable,   // error says why
  NotAFile,     // a folder, a named pipe, a socket or a device
  NotContacts,  // a file, but neither vCard nor CSV
};

enum class CardReading {
  AtOnce,       // into Cards
  WhenPlanned,  // kept as CardText, read card by card each time it is planned
};

// Reads the file at path; a vCard file is read as reading says, a CSV file as
// a table whose columns are recognised by their headers.
SourceOutcome OpenImportSource(const QString& path, ImportSource& source, PlatformError& error,
                               CardReading reading = CardReading::AtOnce);

// Hands each contact of a vCard source to take, in file order, and returns
// what was skipped and no contacts.
ReadResult ReadCardsOf(const ImportSource& source, const std::function<void(const ImportedContact&)>& take);

// Everything the sources hold, in their order.
ReadResult ContactsOf(const std::vector<ImportSource>& sources);

// The message for a file that could not be opened as an import source.
QString SourceProblem(const QString& path, SourceOutcome outcome);
