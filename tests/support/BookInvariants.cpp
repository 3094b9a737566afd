#include "support/BookInvariants.h"

#include "core/Utf8Validity.h"

namespace {

bool ValidPhoneName(int index, const BookState& book) { return index >= -1 && index < book.PhoneNameCount(); }

std::string BrokenRecordInvariant(const AddressRecord& record, const BookState& book) {
  if (record.Group < -2 || record.Group >= book.GroupCount()) return "group index out of range";
  if (record.Group != kMultipleGroups && !record.MultiGroups.empty()) return "group set without -2";
  for (const char code : record.MultiGroups)
    if (static_cast<unsigned char>(code) >= book.GroupCount()) return "group set code out of range";
  for (const int16_t index : record.PhoneNameIndex)
    if (!ValidPhoneName(index, book)) return "phone name index out of range";
  if (record.WhichPhone < 0 || record.WhichPhone > 3) return "phone slot out of range";
  if (record.PrintAs != 0 && record.PrintAs != 1) return "print-as out of range";
  for (const std::string* text : {&record.Name, &record.Company, &record.Address, &record.Phones[0], &record.Phones[1],
                                  &record.Phones[2], &record.Phones[3], &record.Notes})
    if (!IsValidUtf8(*text)) return "record text not UTF-8";
  if (book.IsUnicode() && record.Uid.empty()) return "record of a Unicode book without identifier";
  return {};
}

}  // namespace

std::string BrokenInvariant(const BookState& book) {
  if (book.RecordCount() > 0 && (book.CurrentRecord < 0 || book.CurrentRecord >= book.RecordCount()))
    return "current record out of range";
  if (book.RecordCount() == 0 && book.CurrentRecord != 0) return "current record without records";
  if (book.GroupCount() > kMaxGroups) return "too many groups";
  if (book.PhoneNameCount() < 1) return "no phone names";
  for (const GroupList* list : {&book.Groups, &book.PhoneNames})
    for (const std::string& name : *list)
      if (!IsValidUtf8(name)) return "list name not UTF-8";
  for (const int16_t index : book.DefaultPhoneNames)
    if (!ValidPhoneName(index, book)) return "default phone name out of range";
  for (const AddressRecord& record : book.Records)
    if (std::string broken = BrokenRecordInvariant(record, book); !broken.empty()) return broken;
  return {};
}
