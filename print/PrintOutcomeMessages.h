#pragma once

#include "print/PrintOutcome.h"

// Tells the user what became of a print request: the problem with the
// system's error when it failed, else where the PDF files were saved and
// what the printer said of the job.
void ShowPrintOutcome(const PrintOutcome& outcome);
