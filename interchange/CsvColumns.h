#pragma once

#include <functional>
#include <vector>

#include <QString>

#include "interchange/CsvTable.h"
#include "interchange/ImportedContact.h"

// What a CSV column holds.
enum class CsvField {
  Skip,
  Notes,  // the note itself, or with a label a "Label: value" line
  Name,
  GivenName,
  MiddleName,
  FamilyName,
  NamePrefix,
  NameSuffix,
  Company,
  Department,
  Address,  // a whole address, lines separated by line breaks
  Street,
  City,
  Region,
  Postcode,
  Country,
  AddressKind,  // the kind ("Home", "Work") of the address of its set
  Phone,
  PhoneKind,  // the phone name of the phone of its set, row by row
  Groups,
};

struct CsvColumn {
  CsvField Field = CsvField::Notes;
  int Set = 0;  // which address or phone of a row the column belongs to
  // The phone name of a Phone, the kind of an address part, the label of a
  // Notes line, or the separator between the groups of a Groups column.
  QString Label{};
  NotesOrder Rank = kNotesOther;
  bool Recognised = true;
};

// The columns of the header as the common exports (Google Contacts, Outlook,
// Thunderbird) name them; any other column is not recognised and goes to
// Notes under its header until the user maps it.
std::vector<CsvColumn> RecogniseColumns(const QStringList& header);

// The columns the user has to map: not recognised and holding data.
std::vector<int> ColumnsToMap(const CsvTable& table, const std::vector<CsvColumn>& columns);

// The contacts of the rows; rows without any data are left out.
ReadResult ContactsFromCsv(const CsvTable& table, const std::vector<CsvColumn>& columns);

// The contacts of the rows one at a time, none kept: a large file is never
// held as contacts all at once. Rows without data are passed over.
void ForEachContactOfCsv(const CsvTable& table, const std::vector<CsvColumn>& columns,
                         const std::function<void(const ImportedContact&)>& take);
