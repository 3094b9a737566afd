#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/BookState.h"
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

// What an import will do to a book, worked out before anything changes.
struct ImportPlan {
  std::vector<AddressRecord> Records;   // appended at the end, in this order
  std::vector<std::string> NewGroups;    // appended to the group list first
  std::vector<std::string> NewPhoneNames;
  QStringList MovedToNotes;              // "contact: label, label"
  std::vector<ChangedValue> Transliterated;
  std::vector<ChangedValue> Cut;
  QStringList GroupsNotCreated;          // beyond the group limit; kept in Notes
  std::vector<LikelyDuplicate> Duplicates;
  bool DuplicatesSkipped = true;
  int NotAddedForRoom = 0;               // beyond the largest record count
  std::vector<SkippedEntry> Skipped;
  int BinaryValuesSkipped = 0;
};

// Maps the contacts read to records of book: names, companies, addresses,
// phones with phone names, groups and notes, with text made windows-1252
// (transliterated where needed) and values cut to the longest a data file
// holds. Likely duplicates of records in the book are left out when
// skipDuplicates is set.
ImportPlan PlanImport(const BookState& book, const ReadResult& read, bool skipDuplicates);

// Appends the plan's groups, phone names and records to book and sets Dirty;
// the first imported record becomes the current one. Returns the number of
// records added.
int ApplyImport(BookState& book, const ImportPlan& plan);

// The plan in words, a line each, as the import dialog and the command line show it.
QStringList ImportSummary(const ImportPlan& plan);
