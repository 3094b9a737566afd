#pragma once

#include <QString>

// The number and description of a failure reported by the platform.
struct PlatformError {
  int Number = 0;
  QString Description;
};
