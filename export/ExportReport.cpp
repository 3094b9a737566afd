#include "export/ExportReport.h"

#include "core/ErrorReport.h"

bool ReportExportOutcome(ExportOutcome outcome, const QString& path, const PlatformError& error) {
  switch (outcome) {
    case ExportOutcome::Written: return true;
    case ExportOutcome::RefusedBook:
    case ExportOutcome::RefusedAddressBook: ShowMessage(MessageKind::Notice, ExportRefusal(outcome, path)); break;
    case ExportOutcome::Failed: ShowErrorMessage(ExportFailure(path), error); break;
  }
  return false;
}
