#pragma once

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/PrintJob.h"
#include "print/PrintOutcome.h"

// How the report of the settings prints on printer: a phone book in one
// pass when the user asked for it and the printer can.
JobSides SidesOf(const ProgramSettings& settings, Printer& printer);

// The copies and pages of the job that the report honours: the booklet
// prints whole sheets, its two sides by its own passes.
CopyChoice CopiesOf(const ProgramSettings& settings, const PrintJob& job);

// Draws the job's records as the report the settings choose. Printing and
// the preview both draw through here, so the preview shows the printout.
void DrawReport(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                JobSides sides);

// Prints the job's records as the report the settings choose, on
// ThePrinter(). Whatever happens, the printer document is ended and the line
// file deleted; the outcome says what became of it.
PrintOutcome PrintRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job);

// Shows the report in the printer's preview: done when the user asks to
// print it from there, cancelled when the preview is closed without.
PrintOutcome PreviewRecords(const BookState& book, const ProgramSettings& settings, const PrintJob& job);
