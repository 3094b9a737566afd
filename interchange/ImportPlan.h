#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/BookState.h"
#include "interchange/ImportSource.h"
#include "interchange/ImportedContact.h"

// A value that had to be changed to fit the data file.
struct ChangedValue {
  QString Contact;  // the name (or company) of the contact, as imported
  QString Field;
  QString Before;
  QString After;
};

// A contact that looks like a record already in the book.
struct LikelyDuplicate {
  QString Contact;
  int ExistingRecord = 0;
  int ContactIndex = 0;  // the contact's place among those read
};

// One contact of the files as the preview lists it.
struct PlannedContact {
  QString Contact;         // the name (or company) of the contact, as imported
  int Record = -1;         // its record in Records; -1 when it is not added
  int Duplicate = -1;      // the record in the book it is likely a duplicate of
  QStringList CutFields;   // values cut to the longest the data file holds
  bool NoRoom = false;     // not added: the book holds no more records
};

// What an import will do to a book, worked out before anything changes.
struct ImportPlan {
  std::vector<PlannedContact> Contacts;  // every contact read, in file order
  std::vector<AddressRecord> Records;   // appended at the end, in this order
  std::vector<std::string> NewGroups;    // appended to the group list first
  std::vector<std::string> NewPhoneNames;
  QStringList MovedToNotes;              // "contact: label, label"
  std::vector<ChangedValue> Transliterated;
  std::vector<ChangedValue> Cut;
  QStringList GroupsNotCreated;          // beyond the group limit; kept in Notes
  QStringList PhoneNamesNotCreated;      // beyond the phone name limit; their numbers kept in Notes
  std::vector<LikelyDuplicate> Duplicates;
  bool DuplicatesSkipped = true;
  int NotAddedForRoom = 0;               // beyond the largest record count
  std::vector<SkippedEntry> Skipped;
  int BinaryValuesSkipped = 0;
};

// Maps the contacts read to records of book: names, companies, addresses,
// phones with phone names, groups and notes, with text made windows-1252
// (transliterated where needed). Every limit of the data file is kept, so
// that the book can always be saved: values are cut to the longest a file
// holds, groups and phone names beyond the largest counts are not created
// (the groups and numbers go to Notes), and contacts beyond the largest
// record count are not added. Likely duplicates of records in the book are
// left out when skipDuplicates is set.
ImportPlan PlanImport(const BookState& book, const ReadResult& read, bool skipDuplicates);

// The same for the contacts of the sources, taken one at a time, so that a
// large CSV file is never held as contacts all at once.
ImportPlan PlanImport(const BookState& book, const std::vector<ImportSource>& sources, bool skipDuplicates);

// Appends the plan's groups, phone names and records to book and sets Dirty;
// the first imported record becomes the current one. Returns the number of
// records added. The plan's records are moved into the book.
int ApplyImport(BookState& book, ImportPlan plan);

// The plan in words, a line each, as the import dialog and the command line show it.
QStringList ImportSummary(const ImportPlan& plan);
