// The main window's commands that bring contacts in from vCard and CSV files
// and write them out as vCard.
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "export/frmExportVCard.h"
#include "mainwindow/frmImport.h"
#include "mainwindow/frmMain.h"
#include "platform/BusyPointer.h"
#include "platform/FileDialogs.h"

namespace {

// Reads the chosen files; false after telling the user which one failed.
bool OpenSources(const QStringList& paths, std::vector<ImportSource>& sources) {
  for (const QString& path : paths) {
    ImportSource source;
    PlatformError error;
    SourceOutcome outcome;
    {
      BusyCursor busy;
      outcome = OpenImportSource(path, source, error);
    }
    if (outcome == SourceOutcome::Unreadable) {
      ShowErrorMessage(SourceProblem(path, outcome), error);
      return false;
    }
    if (outcome == SourceOutcome::NotContacts) {
      ShowMessage(MessageKind::Notice, SourceProblem(path, outcome));
      return false;
    }
    sources.push_back(std::move(source));
  }
  return true;
}

}  // namespace

void frmMain::mnuFileImport_Click() {
  FileDialogRequest request;
  request.Title = QStringLiteral("Import");
  request.Filter = QStringLiteral("Contacts (*.vcf *.vcard *.csv *.txt)|*.vcf *.vcard *.csv *.txt|All Files (*.*)|*.*");
  request.HelpContext = HelpTopic::Import;
  QStringList paths;
  switch (FileDialog().GetOpenFileNames(request, paths)) {
    case FileDialogResult::Chosen: break;
    case FileDialogResult::Cancelled: return;
    case FileDialogResult::Failed:
      ShowErrorMessage(QStringLiteral("Error selecting files to import."),
                       PlatformError{0, QStringLiteral("The file dialog returned no file")});
      return;
  }
  std::vector<ImportSource> sources;
  if (!OpenSources(paths, sources)) return;
  OfferUnicodeForImport(sources);
  frmImport dialog(book_, std::move(sources), this);
  if (dialog.exec() == QDialog::Accepted) RefreshView();
}

void frmMain::mnuFileExportVCard_Click() {
  frmExportVCard dialog(book_, this);
  dialog.exec();
}
