#pragma once

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <QByteArray>

#include "core/BookState.h"
#include "interchange/ImportSource.h"

// What a vCard round trip keeps of a record: groups and phone names by name.
struct KeptRecord {
  std::string Name, Company;
  int PrintAs = 0;
  std::string Address;
  std::vector<std::pair<std::string, std::string>> Phones;  // number, phone name; empty slots left out
  std::set<std::string> Groups;
  std::string Notes;
  bool operator==(const KeptRecord&) const = default;
};
KeptRecord Kept(const BookState& book, const AddressRecord& record);
std::ostream& operator<<(std::ostream& out, const KeptRecord& record);

// The first difference between two books in what a vCard round trip keeps (a business's name
// that only repeats its company is not kept); "" when there is none.
std::string RoundTripDifference(const BookState& expected, const BookState& actual);

// A new book of the edition with the contacts read imported, likely duplicates kept.
BookState BookWith(const ReadResult& read, BookEdition edition = BookEdition::SingleByte);
BookState ImportedBook(const std::string& vcards, BookEdition edition = BookEdition::SingleByte);

// Imports a file's bytes into a new book and checks it: every invariant of a book, every value short
// enough for the data file, and a vCard 3.0 and 4.0 export importing as the same records. "" when sound.
std::string CheckImportOf(const QByteArray& bytes, ImportFormat format);

// vCard cards of four phones each, every phone under a label of its own:
// "Card N" with "Line N.1" ... "Line N.4", numbers "555 N-1" ... "555 N-4".
std::string PhoneNameFlood(int cards);
