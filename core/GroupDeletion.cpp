#include "core/GroupDeletion.h"

#include <algorithm>

#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "core/frmDelGroup.h"
#include "platform/AnsiText.h"
#include "platform/BusyPointer.h"

namespace {

// The code of group code after group g has gone; g itself is not asked for.
unsigned char Renumbered(unsigned char code, int g) {
  return code > g ? static_cast<unsigned char>(code - 1) : code;
}

// The set of groups with g removed and its place taken by target, unless
// the record is in target already or target is -1. The membership test is
// made against the whole set in its new numbering.
std::string MovedGroupSet(const std::string& groups, int g, int target) {
  std::string moved;
  for (char c : groups) {
    const auto code = static_cast<unsigned char>(c);
    if (code != g) moved += static_cast<char>(Renumbered(code, g));
  }
  if (target < 0) return moved;
  const char targetCode = static_cast<char>(target);
  bool member = moved.find(targetCode) != std::string::npos;
  std::string result;
  size_t kept = 0;
  for (char c : groups) {
    if (static_cast<unsigned char>(c) != g) {
      result += moved[kept++];
    } else if (!member) {
      result += targetCode;
      member = true;
    }
  }
  return result;
}

void MoveRecord(AddressRecord& record, int g, int target) {
  if (record.Group == kMultipleGroups) {
    StoreGroupSet(record, MovedGroupSet(record.MultiGroups, g, target));
  } else if (record.Group == g) {
    record.Group = static_cast<int16_t>(target);
  } else if (record.Group > g) {
    --record.Group;
  }
}

}  // namespace

int CountGroupMembers(const BookState& book, int g) {
  BusyCursor busy;
  return static_cast<int>(std::count_if(book.Records.begin(), book.Records.end(),
                                        [g](const AddressRecord& record) { return BelongsToGroup(record, g); }));
}

void RemoveGroup(BookState& book, int g, int target) {
  BusyCursor busy;
  for (AddressRecord& record : book.Records) MoveRecord(record, g, target);
  book.Groups.erase(book.Groups.begin() + g);
  book.Dirty = true;
}

bool DeleteGroup(BookState& book, int g, QWidget* parent) {
  const int members = CountGroupMembers(book, g);
  int target = kNoGroup;
  if (members == 0) {
    const QString question = "Delete group '" + AnsiToQString(book.Groups[static_cast<size_t>(g)]) + "'?";
    if (ShowMessage(MessageKind::DeletionQuestion, question) != MessageAnswer::Yes) return false;
  } else {
    const QString message =
        QStringLiteral("&There are %1 records(s) in the group you're deleting.").arg(members) +
        QStringLiteral(" Which group should these records be moved to:");
    if (!ChooseReassignTarget(book, kListModeGroups, g, message, parent)) return false;
    target = Exchange().ReassignTarget;
  }
  RemoveGroup(book, g, target);
  return true;
}
