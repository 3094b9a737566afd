// File, Sync: the book's two-way sync with its CardDAV address book.
#include <QInputDialog>
#include <QStatusBar>

#include "core/DataFile.h"
#include "core/ErrorReport.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSync.h"
#include "mainwindow/frmSyncConflict.h"
#include "mainwindow/frmSyncPreview.h"
#include "platform/BusyPointer.h"
#include "platform/Keyring.h"
#include "platform/QtHttpClient.h"
#include "platform/StandardLocations.h"
#include "sync/SyncCommand.h"
#include "sync/SyncEngine.h"

namespace {

constexpr int kStatusShownMs = 10000;

std::unique_ptr<HttpClient> MakeHttpClient(const QString& user, const QString& password) {
  return std::make_unique<QtHttpClient>(user, password);
}

// The sync's outcome in one line for the status bar: the counts that are not 0.
QString SyncSummary(const QString& name, const SyncPlan& plan) {
  const std::pair<const QStringList*, const char*> counts[] = {
      {&plan.AddHere, "added here"},         {&plan.AddOnServer, "added on the server"},
      {&plan.UpdateHere, "updated here"},    {&plan.UpdateOnServer, "updated on the server"},
      {&plan.DeleteHere, "deleted here"},    {&plan.DeleteOnServer, "deleted on the server"},
      {&plan.Merged, "merged"},              {&plan.KeptBoth, "kept in both versions"}};
  QStringList parts;
  for (const auto& [names, what] : counts)
    if (!names->isEmpty()) parts << QStringLiteral("%1 %2").arg(names->size()).arg(QLatin1String(what));
  return QStringLiteral("Synced with %1: %2.").arg(name, parts.isEmpty() ? QStringLiteral("no changes") : parts.join(QStringLiteral(", ")));
}

}  // namespace

// The account of a book syncing for the first time; false when the user cancelled.
bool frmMain::SetUpSyncAccount(SyncState& state, QString& password) {
  frmSync dialog(MakeHttpClient, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Account().AddressBook.isValid()) return false;
  state.Account = dialog.Account();
  state.KeepDeleted = dialog.KeepDeleted();
  password = dialog.Password();
  QString error;
  if (!DesktopKeyring().Write(PasswordKey(state.Account.User, state.Account.AddressBook), password, error))
    statusBar()->showMessage(QStringLiteral("No keyring to keep the password in (%1): it will be asked at each sync.").arg(error), kStatusShownMs);
  return true;
}

// The account's password from the keyring, else asked; false when the user cancelled.
bool frmMain::SyncPassword(const SyncAccount& account, QString& password) {
  QString error;
  if (DesktopKeyring().Read(PasswordKey(account.User, account.AddressBook), password, error)) return true;
  bool ok = false;
  password = QInputDialog::getText(this, QStringLiteral("Sync"),
                                   QStringLiteral("Password of %1 on %2:").arg(account.User, account.AddressBook.host()),
                                   QLineEdit::Password, {}, &ok);
  return ok;
}

void frmMain::mnuFileSync_Click() {
  if (book_.IsUntitled()) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Save the address book first: its sync account belongs to its file."));
    return;
  }
  if (!ConvertOnUsersWord(QStringLiteral("A server's names")) || !book_.IsUnicode()) return;
  const QString statePath = SyncStatePath(SyncFolder(), CanonicalPath(book_.FileName));
  SyncState state;
  QString error, password;
  if (!LoadSyncState(statePath, state, error)) return void(ShowMessage(MessageKind::ErrorReport, error));
  if (state.HasAccount() ? !SyncPassword(state.Account, password) : !SetUpSyncAccount(state, password)) return;
  RunSync(state, statePath, password);
}

void frmMain::RunSync(SyncState& state, const QString& statePath, const QString& password) {
  const QString name = state.Account.DisplayName.isEmpty() ? state.Account.AddressBook.toString() : state.Account.DisplayName;
  SyncOptions options;
  options.Resolve = [this](const FieldConflict& conflict) {
    frmSyncConflict question(conflict, this);
    question.exec();
    return question.Choice();
  };
  options.ConfirmFirstSync = [this, &name](const SyncPlan& plan) { return frmSyncPreview(plan, name, this).exec() == QDialog::Accepted; };
  statusBar()->showMessage(QStringLiteral("Syncing with %1...").arg(name));
  QtHttpClient http(state.Account.User, password);
  CardDavClient client(http);
  const SyncResult result = SyncBook(book_, state, client, options);
  statusBar()->clearMessage();
  if (result.Cancelled) return;
  if (!result.Ok) {
    ShowMessage(MessageKind::ErrorReport, QStringLiteral("The book was not synced; it is as it was.\n\n%1").arg(result.Message));
    return;
  }
  if (book_.Dirty) {
    ShowOutcome(SaveDocument(book_));
    guard_.Follow(book_);
    if (book_.Dirty) return;  // the next sync brings the server's changes again
  }
  QString error;
  if (!SaveSyncState(statePath, state, error)) ShowMessage(MessageKind::ErrorReport, error);
  RefreshView();
  statusBar()->showMessage(SyncSummary(name, result.Plan), kStatusShownMs);
}
