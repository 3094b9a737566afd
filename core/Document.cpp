#include "core/Document.h"

#include <algorithm>

#include <QDateTime>
#include <QUuid>

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
  book.Edition = BookEdition::SingleByte;
  book.KeepSingleByte = false;
}

void InitNewRecord(BookState& book, int index) {
  AddressRecord& record = book.Records.at(static_cast<size_t>(index));
  record.PrintAs = book.DefaultPrintAs;
  record.PhoneNameIndex = book.DefaultPhoneNames;
  record.WhichPhone = 0;
  record.Group = kNoGroup;
  StampChange(book, record);
}

void StampChange(const BookState& book, AddressRecord& record) {
  if (!book.IsUnicode()) return;  // the old edition keeps neither; conversion gives them
  // Strictly later than the last stamp, so that a change within the same
  // millisecond as the one before it is still seen as a change.
  record.ChangedMs = std::max<int64_t>(QDateTime::currentMSecsSinceEpoch(), record.ChangedMs + 1);
  if (record.Uid.empty()) record.Uid = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
}

void ConvertToUnicode(BookState& book) {
  book.Edition = BookEdition::Unicode;
  book.KeepSingleByte = false;
  for (AddressRecord& record : book.Records)
    if (record.Uid.empty()) StampChange(book, record);
  book.Dirty = true;
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
