#pragma once

#include <optional>

#include <QString>

#include "interchange/ImportSource.h"

class QWidget;

// Reads a file chosen for import beside the window's own work, so that the
// window keeps answering while a large file is read: a progress dialog
// names the file and offers Cancel. Nothing (and source untouched) when the
// user cancelled; the reading then ends unseen and its result is dropped.
std::optional<SourceOutcome> ReadImportSource(QWidget* parent, const QString& path, const QString& progressText,
                                              ImportSource& source, PlatformError& error);
