#include "core/PhoneNameDeletion.h"

#include <algorithm>

#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/frmDelGroup.h"
#include "core/BookText.h"
#include "platform/BusyPointer.h"

namespace {

bool Uses(const std::array<int16_t, 4>& indexes, int p) {
  return std::find(indexes.begin(), indexes.end(), p) != indexes.end();
}

void Remap(std::array<int16_t, 4>& indexes, int p, int target) {
  for (int16_t& index : indexes) {
    if (index == p)
      index = static_cast<int16_t>(target);
    else if (index > p)
      --index;
  }
}

}  // namespace

bool PhoneNameInUse(const BookState& book, int p) {
  BusyCursor busy;
  return Uses(book.DefaultPhoneNames, p) ||
         std::any_of(book.Records.begin(), book.Records.end(),
                     [p](const AddressRecord& record) { return Uses(record.PhoneNameIndex, p); });
}

void RemovePhoneName(BookState& book, int p, int target) {
  BusyCursor busy;
  for (AddressRecord& record : book.Records) Remap(record.PhoneNameIndex, p, target);
  book.PhoneNames.erase(book.PhoneNames.begin() + p);
  Remap(book.DefaultPhoneNames, p, target);
  book.Dirty = true;
}

bool DeletePhoneName(BookState& book, int p, QWidget* parent) {
  int target = -1;
  if (PhoneNameInUse(book, p)) {
    const QString message = QStringLiteral("&This phone name is in use. Change references to this ") +
                            QStringLiteral("phone name to refer instead to:");
    if (!ChooseReassignTarget(book, kListModePhoneNames, p, message, parent)) return false;
    target = Exchange().ReassignTarget;
  } else {
    const QString question = "Delete phone name '" + ShownText(book.PhoneNames[static_cast<size_t>(p)]) + "'?";
    if (ShowMessage(MessageKind::DeletionQuestion, question) != MessageAnswer::Yes) return false;
  }
  RemovePhoneName(book, p, target);
  return true;
}
