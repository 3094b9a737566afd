#pragma once

#include <functional>

#include <QStringList>

#include "core/Outcome.h"

// What became of a step of a print request, for the window to tell the user:
// its outcome (done, or failed with the problem and the system's error),
// whether the user cancelled it, the PDF files written and what the printer
// said of the jobs it took.
struct PrintOutcome {
  Outcome Result;
  bool Cancelled = false;
  QStringList Files;
  QStringList Notices;

  bool Failed() const { return Result.Result == Outcome::Kind::Failed; }
};

// Runs one step of a print request and returns its outcome: a failure of the
// platform (the printer, a file, memory) on the way fails it with problem and
// the system's reason. This is where printer failures stop travelling.
PrintOutcome RunPrintStep(const QString& problem, const std::function<void(PrintOutcome&)>& step);
