#pragma once

#include <optional>

#include <QString>

#include "core/ProgramSettings.h"
#include "platform/SettingsStore.h"

// The printer's current font, the default of the print font settings.
struct PrinterFontInfo {
  QString Name;
  int Size = 0;
};

// The print font used when there is no printer to ask.
inline const PrinterFontInfo kFallbackPrintFont{QStringLiteral("Times New Roman"), 12};

// Reads every key from the store. printerFont is empty when there is no printer.
void LoadSettings(ProgramSettings& settings, SettingsStore& store,
                  const std::optional<PrinterFontInfo>& printerFont);

// Writes every key; "DataFile" takes dataFile, the current document's name.
void SaveSettings(const ProgramSettings& settings, SettingsStore& store, const QString& dataFile);
