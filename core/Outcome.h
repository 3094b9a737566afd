#pragma once

#include <QString>

#include "platform/PlatformError.h"

// What an operation on the document did. Operations tell no one; the window
// shows a problem in a message box, the command line prints it.
struct Outcome {
  enum class Kind {
    Done,
    Refused,  // nothing failed: the request cannot be met (a notice)
    Failed,   // the system failed; Error says how
  };

  Kind Result = Kind::Done;
  QString Problem;  // what went wrong, in the user's words
  PlatformError Error;

  bool Succeeded() const { return Result == Kind::Done; }

  static Outcome Done() { return {}; }
  static Outcome Refused(const QString& problem) { return {Kind::Refused, problem, {}}; }
  static Outcome Failed(const QString& problem, const PlatformError& error) { return {Kind::Failed, problem, error}; }
};
