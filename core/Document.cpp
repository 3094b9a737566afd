#include "core/Document.h"

void NewDocument(BookState& book) {
  book.PhoneNames = {"Home", "Work", "Fax", "Car Phone"};
  book.DefaultPhoneNames = {0, 1, 2, 3};
  book.Records.clear();
  book.CurrentRecord = 0;
  book.Groups.clear();
  book.Keys = {SortKey{kSortName, 1, 0, 0}, SortKey{kSortNone, 1, 0, 0}, SortKey{kSortNone, 1, 0, 0}};
  book.Dirty = false;
  book.FileName = kUntitled;
  book.OnDisk = {};
}

void InitNewRecord(BookState& book, int index) {
  AddressRecord& record = book.Records.at(static_cast<size_t>(index));
  record.PrintAs = book.DefaultPrintAs;
  record.PhoneNameIndex = book.DefaultPhoneNames;
  record.WhichPhone = 0;
  record.Group = kNoGroup;
}

int AddGroup(BookState& book, const std::string& name) {
  book.Groups.push_back(name);
  book.Dirty = true;
  return book.GroupCount() - 1;
}

int AddPhoneName(BookState& book, const std::string& name) {
  book.PhoneNames.push_back(name);
  book.Dirty = true;
  return book.PhoneNameCount() - 1;
}
