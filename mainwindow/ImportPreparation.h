#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/BookState.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"

class QWidget;

// The files chosen for import, read, and the plan of what importing them
// into the book would do (likely duplicates skipped); or the first file
// that could not be read.
struct PreparedImport {
  std::vector<ImportSource> Sources;
  ImportPlan Plan;
  QString FailedFile;
  SourceOutcome Failure = SourceOutcome::Read;
  PlatformError Error;
};

// Reads the files and plans the import beside the window's own work, on a
// copy of the book, so that the window keeps answering however large the
// files are: a progress dialog names each step and offers Cancel. Nothing
// when the user cancelled; the work then ends unseen and is dropped.
std::optional<PreparedImport> PrepareImport(QWidget* parent, const QStringList& paths, const BookState& book);
