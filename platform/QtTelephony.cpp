#include <QDesktopServices>
#include <QUrl>

#include "platform/ServiceSlot.h"
#include "platform/Telephony.h"

namespace {

// The number as a tel: URI; every character outside the digits, letters and
// the visual separators of RFC 3966 is percent-encoded, nothing is removed.
QUrl TelephoneUri(const QString& number) {
  return QUrl::fromEncoded("tel:" + QUrl::toPercentEncoding(number, "+-.()"), QUrl::StrictMode);
}

// Hands the number to the desktop's handler of tel: links. A tel: URI carries
// only the number, so the other values of the request are not passed on.
class QtTelephony : public Telephony {
 public:
  int RequestMakeCall(const DialRequest& request) override {
    if (request.DestinationAddress.trimmed().isEmpty()) return kDialInvalidAddress;
    const QUrl uri = TelephoneUri(request.DestinationAddress);
    if (!uri.isValid()) return kDialInvalidAddress;
    return QDesktopServices::openUrl(uri) ? kDialAccepted : kDialNoRecipient;
  }
};

ServiceSlot<Telephony> slot([] { return std::make_unique<QtTelephony>(); });

}  // namespace

Telephony& TelephonyService() { return slot.Get(); }
void InstallTelephony(Telephony* implementation) { slot.Install(implementation); }
