#pragma once

#include <optional>

#include <QString>

#include "platform/PlatformError.h"

// The desktop shell's "open" action, e.g. a web address in the browser.
class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the desktop to open address. Gives an error only when the request
  // could not be made at all; what the opening program does is not reported.
  virtual std::optional<PlatformError> Open(const QString& address) = 0;
};

Shell& DesktopShell();
void InstallShell(Shell* implementation);
