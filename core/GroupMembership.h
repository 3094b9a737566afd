#pragma once

#include <string>
#include <vector>

#include "core/AddressRecord.h"
#include "core/BookState.h"

// Codes of selection strings beyond the group indexes.
inline constexpr unsigned char kSelectUngrouped = 255;
inline constexpr unsigned char kSelectAllGroups = 253;

inline constexpr const char* kUngroupedText = "<Ungrouped>";
inline constexpr const char* kMultipleGroupsText = "<Multiple Groups...>";

// True when the record belongs to group g (a single group or one of a set).
bool BelongsToGroup(const AddressRecord& record, int g);

// True when the record belongs to a group of the selection string.
bool RecordInSelection(const AddressRecord& record, const std::string& groupSelection);

// The groups of a record as a set string (one byte per group index).
std::string GroupSetOf(const AddressRecord& record);

// Stores a set of group indexes: empty gives no group, one gives that group,
// more give Group -2 with the set in MultiGroups, in the given order.
void StoreGroupSet(AddressRecord& record, const std::string& groups);

// "<Ungrouped>", "<Multiple Groups...>" or the name of the record's group.
std::string GroupText(const BookState& book, const AddressRecord& record);
