#pragma once

#include <QString>

#include "core/ProgramSettings.h"
#include "platform/PrinterChoice.h"

// Tells ThePrinter() where a print request goes: the printer or PDF files
// chosen in the settings; without a choice the system's default printer, or
// PDF files in the documents folder when no printer is installed. When
// printers exist but none is the default, the user chooses one now and the
// choice is stored. When the print service is not running and the request
// is not for PDF files, the user is offered PDF files in the documents
// folder for this request, or Cancel: the output never changes without the
// user's word. copies and pageRanges as for ChoosePrinter. False when the
// user cancels.
bool SelectPrinter(ProgramSettings& settings, CopyChoice& copies, bool pageRanges);

// The same without asking: false when the user would have to choose.
bool ApplyPrinter(const ProgramSettings& settings);

// Lets the user choose in the system print dialog, starting from the current
// choice and copies; a new choice is stored and applied. The dialog offers
// page ranges only when pageRanges is true. False when cancelled.
bool ChoosePrinter(ProgramSettings& settings, CopyChoice& copies, bool pageRanges);

// Where a print request goes, as the print dialog shows it.
QString PrinterDescription(const ProgramSettings& settings);
