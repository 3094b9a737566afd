#pragma once

#include <QString>

// The number and description of a failure reported by the platform.
struct PlatformError {
  int Number = 0;
  QString Description;
};

// A failed system call: errorNumber (an errno value) and the system's own text
// for it, as in "Error 28 : No space left on device".
PlatformError SystemError(int errorNumber);
