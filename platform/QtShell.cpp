#include <cerrno>

#include <QDesktopServices>
#include <QUrl>

#include "platform/ServiceSlot.h"
#include "platform/Shell.h"

namespace {

class QtShell : public Shell {
 public:
  std::optional<PlatformError> Open(const QString& address) override {
    const QUrl url = QUrl::fromUserInput(address);
    if (!url.isValid()) return PlatformError{EINVAL, QStringLiteral("The address is not valid")};
    // Qt reports false when no program could be started to open the address.
    if (!QDesktopServices::openUrl(url))
      return PlatformError{ENOENT, QStringLiteral("No program could be started to open the address")};
    return std::nullopt;
  }
};

ServiceSlot<Shell> slot([] { return std::make_unique<QtShell>(); });

}  // namespace

Shell& DesktopShell() { return slot.Get(); }
void InstallShell(Shell* implementation) { slot.Install(implementation); }
