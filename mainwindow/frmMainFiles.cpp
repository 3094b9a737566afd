// The main window's file commands and the question that protects unsaved changes.
#include "core/DataFile.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "mainwindow/frmMain.h"
#include "platform/FileDialogs.h"

namespace {

constexpr int kOpenHelpContext = 1110;
constexpr int kSaveAsHelpContext = 1130;
constexpr int kFileDialogError = 32755;

FileDialogRequest DataFileRequest(const QString& title, int helpContext, const QString& initialPath) {
  FileDialogRequest request;
  request.Title = title;
  request.Filter = QStringLiteral("Vantreo Files (*.dat)|*.dat|All Files (*.*)|*.*");
  request.DefaultSuffix = QStringLiteral("dat");
  request.InitialPath = initialPath;
  request.HelpContext = helpContext;
  return request;
}

void ReportFileDialogFailure() {
  ShowErrorMessage(QStringLiteral("An unexpected error occurred."),
                   {kFileDialogError, QStringLiteral("The file dialog could not be shown")});
}

}  // namespace

void frmMain::ConfirmSaveChanges(bool& cancel) {
  if (!book_.Dirty) return;
  if (book_.IsUntitled() || settings_.PhoneBook.PromptBeforeSaving) {
    const MessageAnswer answer =
        ShowMessage(MessageKind::SaveQuestion, QStringLiteral("Save changes to '%1'?").arg(book_.FileName));
    if (answer == MessageAnswer::Cancel) {
      cancel = true;
      return;
    }
    if (answer == MessageAnswer::No) return;
  }
  SaveCancelled = false;
  mnuFileSave_Click();
  cancel = SaveCancelled;
}

void frmMain::mnuFileNew_Click() {
  bool cancel = false;
  ConfirmSaveChanges(cancel);
  if (cancel) return;
  NewDocument(book_);
  RefreshView();
}

void frmMain::mnuFileOpen_Click() {
  bool cancel = false;
  ConfirmSaveChanges(cancel);
  if (cancel) return;
  QString path;
  const FileDialogRequest request = DataFileRequest(QStringLiteral("Open"), kOpenHelpContext, {});
  switch (FileDialog().GetOpenFileName(request, path)) {
    case FileDialogResult::Chosen:
      LoadDocument(book_, path);
      RefreshView();
      break;
    case FileDialogResult::Failed:
      ReportFileDialogFailure();
      break;
    case FileDialogResult::Cancelled:
      break;
  }
}

void frmMain::mnuFileSave_Click() {
  if (book_.IsUntitled())
    mnuFileSaveAs_Click();
  else
    SaveDocument(book_);
}

void frmMain::mnuFileSaveAs_Click() {
  QString path;
  const QString initial = book_.IsUntitled() ? QString() : book_.FileName;
  FileDialogRequest request = DataFileRequest(QStringLiteral("Save As"), kSaveAsHelpContext, initial);
  request.ConfirmOverwrite = true;
  switch (FileDialog().GetSaveFileName(request, path)) {
    case FileDialogResult::Chosen:
      book_.FileName = path;
      SaveDocument(book_);
      RefreshView();
      return;
    case FileDialogResult::Failed:
      ReportFileDialogFailure();
      break;
    case FileDialogResult::Cancelled:
      break;
  }
  SaveCancelled = true;
}
