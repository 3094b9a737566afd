#pragma once

#include <functional>

#include <QStringList>

#include "platform/PlatformError.h"

// What became of a step of a print request, for the window to tell the user.
struct PrintOutcome {
  enum class Result { Done, Cancelled, Failed };

  Result Outcome = Result::Done;
  PlatformError Error;  // why it failed: the system's or CUPS's number and reason
  QStringList Files;    // the PDF files written
  QStringList Notices;  // what the printer said of the jobs it took

  bool Failed() const { return Outcome == Result::Failed; }
  static PrintOutcome Cancelled() { return {Result::Cancelled, {}, {}, {}}; }
};

// Runs one step of a print request and returns its outcome: a failure of the
// platform (the printer, a file, memory) on the way becomes a failed outcome
// with the system's reason. This is where printer failures stop travelling.
PrintOutcome RunPrintStep(const std::function<void(PrintOutcome&)>& step);
