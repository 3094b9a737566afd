// The main window's commands that bring contacts in from vCard and CSV files
// and write them out as vCard.
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "export/frmExportVCard.h"
#include "mainwindow/ImportPreparation.h"
#include "mainwindow/frmImport.h"
#include "mainwindow/frmMain.h"
#include "platform/FileDialogs.h"

namespace {

// Tells the user which file could not be read; false when all were.
bool ReportedUnreadFile(const PreparedImport& prepared) {
  switch (prepared.Failure) {
    case SourceOutcome::Read: return false;
    case SourceOutcome::Unreadable:
      ShowErrorMessage(SourceProblem(prepared.FailedFile, prepared.Failure), prepared.Error);
      return true;
    case SourceOutcome::NotAFile:
    case SourceOutcome::NotContacts: break;
  }
  ShowMessage(MessageKind::Notice, SourceProblem(prepared.FailedFile, prepared.Failure));
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
  std::optional<PreparedImport> prepared = PrepareImport(this, paths, book_);
  if (!prepared || ReportedUnreadFile(*prepared)) return;
  // Planned again when the book has just become a Unicode book: nothing is turned into Latin letters.
  if (OfferUnicodeForImport(prepared->Plan)) prepared->Plan = PlanImport(book_, prepared->Sources, true);
  frmImport dialog(book_, std::move(prepared->Sources), std::move(prepared->Plan), this);
  if (dialog.exec() == QDialog::Accepted) RefreshView();
}

void frmMain::mnuFileExportVCard_Click() {
  frmExportVCard dialog(book_, this);
  dialog.exec();
}
