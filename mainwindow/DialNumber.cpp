#include "mainwindow/DialNumber.h"

#include "core/ErrorReport.h"
#include "core/BookText.h"
#include "platform/Telephony.h"

namespace {

const std::string& CalledParty(const AddressRecord& record) {
  return record.PrintAs == kPrintAsBusiness ? record.Company : record.Name;
}

// What the user is told about a refused request with that result.
QString DialErrorDescription(int result) {
  switch (result) {
    case kDialNoRecipient:
      return QStringLiteral("No application for tel: links is set up on this computer. Install a dialing "
                            "application, such as a softphone, and make it the default application for tel: links.");
    case kDialQueueFull:
      return QStringLiteral("The queue of pending dialing requests is full.");
    case kDialInvalidAddress:
      return QStringLiteral("The phone number is not valid.");
    case kDialHandlerFailed:
      return QStringLiteral("The application set up for tel: links could not be started.");
    default:
      return QStringLiteral("Unknown error.");
  }
}

}  // namespace

void DialNumber(const AddressRecord& record, int phoneSlot, const QString& applicationName) {
  const DialRequest request{ShownText(record.Phones.at(static_cast<size_t>(phoneSlot))), applicationName,
                            ShownText(CalledParty(record)), QString()};
  const int result = TelephonyService().RequestMakeCall(request);
  if (result == kDialAccepted) return;
  ShowMessage(MessageKind::Notice, QStringLiteral("Error dialing number : ") + DialErrorDescription(result));
}
