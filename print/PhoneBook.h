#pragma once

#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/LineFile.h"

// Prints the line file as a booklet of small pages, four to a sheet: the
// cover and the fronts of all sheets, then, after asking the user to turn
// the stack, the backs in reverse sheet order shifted by the offsets.
void PrintPhoneBook(Printer& printer, LineFile& file, const ProgramSettings& settings);
