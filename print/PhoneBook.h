#pragma once

#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/LineFile.h"

// Prints the line file as a booklet of small pages, four to a sheet. In two
// passes: the cover and the fronts of all sheets, then, after asking the
// user to turn the stack (on paper), the backs in reverse sheet order
// shifted by the offsets. In one pass: each sheet's front, then its back.
void PrintPhoneBook(Printer& printer, LineFile& file, const ProgramSettings& settings,
                    JobSides sides = JobSides::TwoPasses);
