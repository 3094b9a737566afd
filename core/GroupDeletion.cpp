#include "core/GroupDeletion.h"

#include <algorithm>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "core/frmDelGroup.h"
#include "core/BookText.h"
#include "platform/BusyPointer.h"

namespace {

// The code of group code after group g has gone; g itself is not asked for.
unsigned char Renumbered(unsigned char code, int g) {
  return code > g ? static_cast<unsigned char>(code - 1) : code;
}

// The set of groups with g removed and its place taken by target, unless
// target is -1 or the record is in target already. The membership test is
// made against the whole set in its new numbering, so that each group stays
// in the set at most once.
std::string MovedGroupSet(const std::string& groups, int g, int target) {
  const auto isOtherMemberOfTarget = [g, target](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code != g && Renumbered(code, g) == target;
  };
  bool targetPlaced = target < 0 || std::any_of(groups.begin(), groups.end(), isOtherMemberOfTarget);
  std::string moved;
  for (char c : groups) {
    const auto code = static_cast<unsigned char>(c);
    if (code != g) {
      moved += static_cast<char>(Renumbered(code, g));
    } else if (!targetPlaced) {
      moved += static_cast<char>(target);
      targetPlaced = true;
    }
  }
  return moved;
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
  for (AddressRecord& record : book.Records) {
    const bool member = BelongsToGroup(record, g);
    MoveRecord(record, g, target);
    if (member) StampChange(book, record);
  }
  book.Groups.erase(book.Groups.begin() + g);
  book.Dirty = true;
}

bool DeleteGroup(BookState& book, int g, QWidget* parent) {
  const int members = CountGroupMembers(book, g);
  int target = kNoGroup;
  if (members == 0) {
    const QString question = "Delete group '" + ShownText(book.Groups[static_cast<size_t>(g)]) + "'?";
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
