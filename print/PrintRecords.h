#pragma once

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/PrintJob.h"

// How the report of the settings prints on printer: a phone book in one
// pass when the user asked for it and the printer can.
JobSides SidesOf(const ProgramSettings& settings, Printer& printer);

// Draws the job's records as the report the settings choose. Printing and
// the preview both draw through here, so the preview shows the printout.
void DrawReport(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                JobSides sides);

// Prints the job's records as the report the settings choose, on
// ThePrinter(). Failures are reported here; whatever happens, the printer
// document is ended and the line file deleted.
void PrintRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job);

// Shows the report in the printer's preview; true when the user asks to
// print it from there. Failures are reported here.
bool PreviewRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job);
