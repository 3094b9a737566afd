#pragma once

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/LineFile.h"
#include "print/PrintJob.h"

// Writes the lines of the job's records, in print order, into the line file
// page by page: letter headings, names, phone lines and, with addresses,
// the wrapped addresses, wrapped for the report type of the settings.
void WriteLineFile(Printer& printer, const BookState& book, const ProgramSettings& settings, const PrintJob& job,
                   LineFile& file);
