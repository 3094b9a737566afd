#include "core/GroupMembership.h"

namespace {

bool Contains(const std::string& text, unsigned char code) {
  return text.find(static_cast<char>(code)) != std::string::npos;
}

}  // namespace

bool RecordInSelection(const AddressRecord& record, const std::string& groupSelection) {
  if (Contains(groupSelection, kSelectAllGroups)) return true;
  if (record.Group == kMultipleGroups)
    return record.MultiGroups.find_first_of(groupSelection) != std::string::npos;
  return Contains(groupSelection, static_cast<unsigned char>(record.Group & 255));
}

bool BelongsToGroup(const AddressRecord& record, int g) {
  if (record.Group == kMultipleGroups)
    return record.MultiGroups.find(static_cast<char>(g)) != std::string::npos;
  return record.Group == g;
}

std::string GroupSetOf(const AddressRecord& record) {
  if (record.Group == kMultipleGroups) return record.MultiGroups;
  if (record.Group == kNoGroup) return {};
  return std::string(1, static_cast<char>(record.Group));
}

void StoreGroupSet(AddressRecord& record, const std::string& groups) {
  if (groups.empty()) {
    record.Group = kNoGroup;
    record.MultiGroups.clear();
  } else if (groups.size() == 1) {
    record.Group = static_cast<unsigned char>(groups[0]);
    record.MultiGroups.clear();
  } else {
    record.Group = kMultipleGroups;
    record.MultiGroups = groups;
  }
}

std::string GroupText(const BookState& book, const AddressRecord& record) {
  if (record.Group == kNoGroup) return kUngroupedText;
  if (record.Group == kMultipleGroups) return kMultipleGroupsText;
  if (record.Group >= 0 && record.Group < book.GroupCount())
    return book.Groups[static_cast<size_t>(record.Group)];
  return kUngroupedText;
}
