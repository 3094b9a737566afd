#include "core/DataFileFit.h"

#include <limits>

namespace {

constexpr size_t kLongestText = std::numeric_limits<uint16_t>::max();

void Cut(std::string& text) {
  if (text.size() > kLongestText) text.resize(kLongestText);
}

}  // namespace

BookState FittedToDataFile(const BookState& book) {
  BookState fitted = book;
  if (fitted.PhoneNameCount() > kMaxPhoneNames) fitted.PhoneNames.resize(kMaxPhoneNames);
  if (fitted.RecordCount() > kMaxRecords) fitted.Records.resize(kMaxRecords);
  if (fitted.CurrentRecord >= fitted.RecordCount()) fitted.CurrentRecord = 0;
  for (std::string& name : fitted.PhoneNames) Cut(name);
  for (std::string& group : fitted.Groups) Cut(group);
  for (AddressRecord& record : fitted.Records) {
    for (std::string* text : {&record.Name, &record.Company, &record.Address, &record.MultiGroups, &record.Notes})
      Cut(*text);
    for (std::string& phone : record.Phones) Cut(phone);
  }
  return fitted;
}
