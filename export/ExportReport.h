#pragma once

#include <QString>

#include "core/ExportFile.h"

// Tells the window's user of a refusal or a failure of an export; true when
// the file was written.
bool ReportExportOutcome(ExportOutcome outcome, const QString& path, const PlatformError& error);
