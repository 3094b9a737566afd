#pragma once

#include <stdexcept>

#include "platform/PlatformError.h"

// A failure of a platform operation (printer, temporary file) raised to the
// caller, which reports it with its number and description.
class PlatformFailure : public std::runtime_error {
 public:
  explicit PlatformFailure(PlatformError error)
      : std::runtime_error(error.Description.toStdString()), error_(std::move(error)) {}

  const PlatformError& Error() const { return error_; }

 private:
  PlatformError error_;
};
