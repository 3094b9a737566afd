#pragma once

#include "core/ProgramSettings.h"
#include "platform/Printer.h"
#include "print/LineFile.h"

// Prints every page of the line file on full printer pages, each with the
// title at the top, and the date and page number at the foot.
void PrintPhoneList(Printer& printer, LineFile& file, const ProgramSettings& settings);
