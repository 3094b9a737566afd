#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "platform/BusyPointer.h"
#include "platform/ServiceSlot.h"
#include "platform/Telephony.h"

namespace {

// The desktop tools answer at once; a tool that hangs is taken as failed.
constexpr int kToolTimeoutMilliseconds = 10000;

// The number as a tel: URI; every character outside the digits, letters and
// the visual separators of RFC 3966 is percent-encoded, nothing is removed.
QUrl TelephoneUri(const QString& number) {
  return QUrl::fromEncoded("tel:" + QUrl::toPercentEncoding(number, "+-.()"), QUrl::StrictMode);
}

// Runs a desktop tool to its end; false when it could not run or failed.
bool RunTool(QProcess& tool, const QString& program, const QStringList& arguments) {
  tool.start(program, arguments);
  return tool.waitForFinished(kToolTimeoutMilliseconds) && tool.exitStatus() == QProcess::NormalExit &&
         tool.exitCode() == 0;
}

// The desktop file of the desktop's default application for tel: links
// (its MIME default for x-scheme-handler/tel), or nothing when none is set.
QString DefaultTelApplication() {
  QProcess query;
  if (!RunTool(query, QStringLiteral("xdg-mime"), {"query", "default", "x-scheme-handler/tel"})) return {};
  return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

// Starts the application of a desktop file with uri; false when it could not
// be started (its desktop file or its program is missing, or it failed to run).
bool Launch(const QString& desktopFileName, const QUrl& uri) {
  const QString desktopFile = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFileName);
  if (desktopFile.isEmpty()) return false;
  QProcess launcher;
  return RunTool(launcher, QStringLiteral("gio"), {"launch", desktopFile, uri.toString(QUrl::FullyEncoded)});
}

// Hands the number to the desktop's default application for tel: links. A
// tel: URI carries only the number, so the other values of the request are
// not passed on.
class QtTelephony : public Telephony {
 public:
  int RequestMakeCall(const DialRequest& request) override {
    if (request.DestinationAddress.trimmed().isEmpty()) return kDialInvalidAddress;
    const QUrl uri = TelephoneUri(request.DestinationAddress);
    if (!uri.isValid()) return kDialInvalidAddress;
    const BusyCursor busy;  // the desktop tools take a moment
    const QString application = DefaultTelApplication();
    if (application.isEmpty()) return kDialNoRecipient;
    return Launch(application, uri) ? kDialAccepted : kDialHandlerFailed;
  }
};

ServiceSlot<Telephony> slot([] { return std::make_unique<QtTelephony>(); });

}  // namespace

Telephony& TelephonyService() { return slot.Get(); }
void InstallTelephony(Telephony* implementation) { slot.Install(implementation); }
