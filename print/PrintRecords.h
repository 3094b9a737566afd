#pragma once

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "print/PrintJob.h"

// Prints the job's records as the report the settings choose, on
// ThePrinter(). Failures are reported here; whatever happens, the printer
// document is ended and the line file deleted.
void PrintRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job);
