#pragma once

#include <cstdint>
#include <optional>

#include "core/ProgramSettings.h"
#include "core/SettingsIO.h"
#include "platform/Printer.h"
#include "print/PrintJob.h"

// Sets the printer font from the settings: name, size, bold, italic.
void SetPrinterFont(Printer& printer, const ProgramSettings& settings);

// The body lines the current font leaves on a page of the report type.
int16_t CalcLinesPerPage(Printer& printer, ReportType type);

// The printer's current font, for the defaults of the font settings; nothing
// when no printer is installed.
std::optional<PrinterFontInfo> CurrentPrinterFont();
