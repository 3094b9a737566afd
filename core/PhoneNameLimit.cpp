#include "core/PhoneNameLimit.h"

#include "core/ErrorReport.h"

bool RoomForAnotherPhoneName(const BookState& book) {
  if (book.PhoneNameCount() < kMaxPhoneNames) return true;
  ShowMessage(MessageKind::Notice,
              QStringLiteral("The phone name list is full: it can hold at most 32,767 phone names."));
  return false;
}
