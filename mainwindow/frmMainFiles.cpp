// The main window's file commands and the question that protects unsaved changes.
#include "core/DataFile.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "core/RecoveryFile.h"
#include "core/ShortList.h"
#include "interchange/SingleByteBook.h"
#include "mainwindow/frmMain.h"
#include "platform/FileDialogs.h"
#include "platform/SessionEnd.h"
#include "sync/SyncState.h"

namespace {

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

// The file types of Save As: the two editions of the data file.
constexpr int kUnicodeFileType = 0;
constexpr int kOldFormatFileType = 1;

FileDialogRequest SaveAsRequest(const BookState& book) {
  FileDialogRequest request =
      DataFileRequest(QStringLiteral("Save As"), HelpTopic::FileSaveAs, book.IsUntitled() ? QString() : book.FileName);
  request.Filter = QStringLiteral("Vantreo Unicode Address Book (*.dat)|*.dat|"
                                  "Vantreo Address Book, Old Format (*.dat)|*.dat");
  request.FilterIndex = book.IsUnicode() ? kUnicodeFileType : kOldFormatFileType;
  request.ConfirmOverwrite = true;
  return request;
}

// The question before a Unicode book is saved in the old format, listing
// what it cannot hold.
QString OldFormatQuestion(const QStringList& unstorable) {
  return QStringLiteral("The old format cannot hold every character of this book:\n\n") + ShortList(unstorable) +
         QStringLiteral("\n\nThese are turned into Latin letters. Save in the old format?");
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
  // A save that failed keeps the program from dropping the changes.
  cancel = SaveCancelled || book_.Dirty;
}

void frmMain::CommitSessionData(SessionEndRequest& request) {
  if (!request.AllowsInteraction()) {
    KeepChangesForRecovery(book_);
    changesKeptForRecovery_ = book_.Dirty;
    return;
  }
  bool cancel = false;
  ConfirmSaveChanges(cancel);
  if (cancel) {
    request.Cancel();
    return;
  }
  // Saved, or dropped at the user's word: closing at the end of the session asks no more.
  book_.Dirty = false;
}

void frmMain::mnuFileNew_Click() {
  bool cancel = false;
  ConfirmSaveChanges(cancel);
  if (cancel) return;
  AbandonSync();
  NewDocument(book_);
  guard_.Follow(book_);
  RefreshView();
}

void frmMain::mnuFileOpen_Click() {
  bool cancel = false;
  ConfirmSaveChanges(cancel);
  if (cancel) return;
  QString path;
  const FileDialogRequest request = DataFileRequest(QStringLiteral("Open"), HelpTopic::FileOpen, {});
  switch (FileDialog().GetOpenFileName(request, path)) {
    case FileDialogResult::Chosen:
      if (!guard_.Claim(path, BookGuard::Purpose::Open)) break;
      AbandonSync();
      ShowOutcome(LoadDocument(book_, path));
      guard_.Follow(book_);
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
  if (book_.IsUntitled()) {
    mnuFileSaveAs_Click();
    return;
  }
  switch (guard_.ConfirmReplace(book_)) {
    case BookGuard::SaveChoice::Replace:
      ShowOutcome(SaveDocument(book_));
      break;
    case BookGuard::SaveChoice::SaveElsewhere:
      mnuFileSaveAs_Click();
      break;
    case BookGuard::SaveChoice::Cancel:
      SaveCancelled = true;
      break;
  }
}

// File, Save; a successful save starts a sync where the book's account asks for it.
void frmMain::SaveThenSync() {
  const FileStamp before = book_.OnDisk;
  SaveCancelled = false;
  mnuFileSave_Click();
  if (!SaveCancelled && !book_.Dirty && !(book_.OnDisk == before)) StartAutomaticSync(&SyncState::SyncAfterSave);
}

// Gives the book the edition of the file type chosen in Save As; false when
// the user would rather not lose characters to the old format.
bool frmMain::TakeEditionForSave(int fileType) {
  if (fileType == kUnicodeFileType && !book_.IsUnicode()) ConvertToUnicode(book_);
  if (fileType != kOldFormatFileType || !book_.IsUnicode()) return true;
  if (const QStringList unstorable = UnstorableInSingleByte(book_);
      !unstorable.isEmpty() && ShowMessage(MessageKind::Confirmation, OldFormatQuestion(unstorable)) != MessageAnswer::Yes)
    return false;
  ConvertToSingleByte(book_);
  book_.KeepSingleByte = true;  // the user has chosen the old format for this book
  return true;
}

void frmMain::mnuFileSaveAs_Click() {
  QString path;
  int fileType = kUnicodeFileType;
  switch (FileDialog().GetSaveFileName(SaveAsRequest(book_), path, fileType)) {
    case FileDialogResult::Chosen:
      AbandonSync();  // its sync state belongs to the book's old file
      if (!TakeEditionForSave(fileType) || !guard_.Claim(path, BookGuard::Purpose::SaveAs)) break;
      book_.FileName = path;
      ShowOutcome(SaveDocument(book_));
      guard_.Follow(book_);
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
