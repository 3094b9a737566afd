#pragma once

#include <QString>

#include "print/PrintOutcome.h"

// Tells the user what became of a print request: failureText with the
// system's error when it failed, else where the PDF files were saved and
// what the printer said of the job.
void ShowPrintOutcome(const PrintOutcome& outcome, const QString& failureText);
