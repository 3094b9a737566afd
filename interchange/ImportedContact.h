#pragma once

#include <vector>

#include <QString>
#include <QStringList>

// One contact as a reader found it, in Unicode and before it meets a book:
// the readers of every format fill this, and one mapping turns it into a
// record.
struct ContactPhone {
  QString Number;
  QString PhoneName;  // "Home", "Fax", a custom label, ...
  int Preference = 0;  // 1 most preferred; 0 not marked
};

struct ContactAddress {
  QStringList Lines;  // postal lines, top to bottom
  QString Kind;       // "Home", "Work", ... or empty
  int Preference = 0;  // 1 most preferred; 0 not marked
};

// The fixed order of the "Label: value" lines added to Notes.
enum NotesOrder {
  kNotesEmail,
  kNotesWeb,
  kNotesBirthday,
  kNotesAnniversary,
  kNotesNickname,
  kNotesTitle,
  kNotesRole,
  kNotesMessaging,
  kNotesPhone,
  kNotesAddress,
  kNotesOther,
  kNotesGroup,
};

// A value that has no field of its own and goes to Notes as "Label: value".
struct ContactExtra {
  int Rank = 0;  // position of its label in the fixed order of Notes lines
  QString Label;
  QString Value;
};

struct ImportedContact {
  QString Name;
  QString Company;
  bool IsBusiness = false;     // marked as a company by the file
  bool HasPersonalName = false;  // a name of a person, not just the company's
  std::vector<ContactAddress> Addresses;
  std::vector<ContactPhone> Phones;
  QStringList Categories;
  QString Note;
  std::vector<ContactExtra> Extras;
};

// Why a card or row was left out, and where it starts.
struct SkippedEntry {
  QString Source;  // the file name
  int Line = 0;
  QString Reason;
};

struct ReadResult {
  std::vector<ImportedContact> Contacts;
  std::vector<SkippedEntry> Skipped;
  int BinaryValuesSkipped = 0;  // photos, logos, sounds and keys
};
