#pragma once

#include <QString>

#include "core/ProgramSettings.h"

// Tells ThePrinter() where a print request goes: the printer or PDF files
// chosen in the settings; without a choice the system's default printer, or
// PDF files in the documents folder when no printer is installed. When
// printers exist but none is the default, the user chooses one now and the
// choice is stored. False when the user cancels that choice.
bool SelectPrinter(ProgramSettings& settings);

// The same without asking: false when the user would have to choose.
bool ApplyPrinter(const ProgramSettings& settings);

// Lets the user choose in the system print dialog, starting from the current
// choice; a new choice is stored and applied. False when cancelled.
bool ChoosePrinter(ProgramSettings& settings);

// Where a print request goes, as the print dialog shows it.
QString PrinterDescription(const ProgramSettings& settings);
