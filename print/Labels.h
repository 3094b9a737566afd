#pragma once

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/PrintJob.h"

// Prints one address label per record of the print list, two columns of
// seven labels a page.
void PrintLabels(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job);
