#include "platform/PlatformError.h"

#include <cerrno>
#include <cstring>

PlatformError SystemError(int errorNumber) {
  // A call that failed without saying why is still a failure to report.
  const int number = errorNumber != 0 ? errorNumber : EIO;
  return {number, QString::fromLocal8Bit(std::strerror(number))};
}
