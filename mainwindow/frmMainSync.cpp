// File, Sync: the book's two-way sync with its CardDAV address book, run on
// a thread of its own while the window stays in use; also started after a
// save and at start-up where the book's account says so.
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include "core/DataFile.h"
#include "core/ErrorReport.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSync.h"
#include "mainwindow/frmSyncConflict.h"
#include "mainwindow/frmSyncOptions.h"
#include "mainwindow/frmSyncPreview.h"
#include "platform/Keyring.h"
#include "platform/QtHttpClient.h"
#include "sync/BackgroundSync.h"
#include "sync/EditsDuringSync.h"
#include "sync/SyncCommand.h"

namespace {

constexpr int kStatusShownMs = 10000;
constexpr int kFailureShownMs = 30000;

std::unique_ptr<HttpClient> MakeHttpClient(const QString& user, const QString& password) {
  return std::make_unique<QtHttpClient>(user, password);
}

QString AddressBookName(const SyncAccount& account) {
  return account.DisplayName.isEmpty() ? account.AddressBook.toString() : account.DisplayName;
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

QString ProgressText(const QString& name, const SyncProgress& progress) {
  switch (progress.Stage) {
    case SyncProgress::Step::Receiving:
      return QStringLiteral("Syncing with %1: %2 of %3 cards received...").arg(name).arg(progress.Done).arg(progress.Total);
    case SyncProgress::Step::Sending:
      return QStringLiteral("Syncing with %1: %2 of %3 changes sent...").arg(name).arg(progress.Done).arg(progress.Total);
    case SyncProgress::Step::Listing: break;
  }
  return QStringLiteral("Syncing with %1...").arg(name);
}

}  // namespace

// The account of a book syncing for the first time; false when the user cancelled.
bool frmMain::SetUpSyncAccount(SyncState& state, QString& password) {
  frmSync dialog(MakeHttpClient, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Account().AddressBook.isValid()) return false;
  state.Account = dialog.Account();
  dialog.Options.Take(state);
  password = dialog.Password();
  const QString key = PasswordKey(state.Account.User, state.Account.AddressBook);
  QString error;
  if (!DesktopKeyring().Write(key, password, error)) {
    typedPasswords_.insert(key, password);
    statusBar()->showMessage(QStringLiteral("No keyring to keep the password in (%1): it will be asked once in each session.").arg(error),
                             kStatusShownMs);
  }
  return true;
}

// The account's password from the keyring, else the one typed earlier in this
// session, else asked (not for an automatic sync); false without one.
bool frmMain::SyncPassword(const SyncAccount& account, QString& password, bool automatic) {
  const QString key = PasswordKey(account.User, account.AddressBook);
  QString error;
  if (DesktopKeyring().Read(key, password, error)) return true;
  if (typedPasswords_.contains(key)) return password = typedPasswords_.value(key), true;
  if (automatic) return false;
  bool ok = false;
  password = QInputDialog::getText(this, QStringLiteral("Sync"),
                                   QStringLiteral("Password of %1 on %2:").arg(account.User, account.AddressBook.host()),
                                   QLineEdit::Password, {}, &ok);
  if (ok) typedPasswords_.insert(key, password);
  return ok;
}

void frmMain::mnuFileSync_Click() {
  if (sync_) {
    ShowMessage(MessageKind::Notice,
                QStringLiteral("A sync with %1 is already running; the status bar shows how far it has come.").arg(syncName_));
    return;
  }
  if (book_.IsUntitled()) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Save the address book first: its sync account belongs to its file."));
    return;
  }
  if (!ConvertOnUsersWord(QStringLiteral("A server's names")) || !book_.IsUnicode()) return;
  const QString statePath = SyncStatePathOfBook(book_.FileName);
  SyncState state;
  QString error, password;
  if (!LoadSyncState(statePath, state, error)) return void(ShowMessage(MessageKind::ErrorReport, error));
  if (state.HasAccount() ? !SyncPassword(state.Account, password, false) : !SetUpSyncAccount(state, password)) return;
  StartSync(state, statePath, password, false);
}

void frmMain::mnuFileSyncOptions_Click() {
  if (sync_) {
    ShowMessage(MessageKind::Notice, QStringLiteral("A sync with %1 is running; change its options when it has ended.").arg(syncName_));
    return;
  }
  const QString statePath = book_.IsUntitled() ? QString() : SyncStatePathOfBook(book_.FileName);
  SyncState state;
  QString error;
  if (!statePath.isEmpty() && !LoadSyncState(statePath, state, error)) {
    ShowMessage(MessageKind::ErrorReport, error);
    return;
  }
  if (!state.HasAccount()) {
    ShowMessage(MessageKind::Notice, QStringLiteral("This book does not sync yet: File, Sync sets up its account."));
    return;
  }
  frmSyncOptions dialog(state, this);
  if (dialog.exec() != QDialog::Accepted) return;
  dialog.Options.Take(state);
  if (!SaveSyncState(statePath, state, error)) ShowMessage(MessageKind::ErrorReport, error);
}

// A sync the book's account asks for after a save or at start-up: it says
// nothing unless it fails, and then only in the status bar.
void frmMain::StartAutomaticSync(bool SyncState::*when) {
  if (sync_ || book_.IsUntitled() || !book_.IsUnicode()) return;
  const QString statePath = SyncStatePathOfBook(book_.FileName);
  SyncState state;
  QString error, password;
  if (!LoadSyncState(statePath, state, error)) return statusBar()->showMessage(error, kFailureShownMs);
  if (!state.HasAccount() || !(state.*when)) return;
  if (!SyncPassword(state.Account, password, true))
    return statusBar()->showMessage(QStringLiteral("The automatic sync with %1 needs the password: File, Sync asks for it.")
                                        .arg(AddressBookName(state.Account)), kFailureShownMs);
  StartSync(state, statePath, password, true);
}

void frmMain::StartSync(const SyncState& state, const QString& statePath, const QString& password, bool automatic) {
  syncName_ = AddressBookName(state.Account);
  syncStatePath_ = statePath;
  syncAutomatic_ = automatic;
  const QString user = state.Account.User;
  sync_ = new BackgroundSync(book_, state, [user, password] { return MakeHttpClient(user, password); }, this);
  connect(sync_, &BackgroundSync::Progressed, this,
          [this](const SyncProgress& progress) { syncPane_->setText(ProgressText(syncName_, progress)); });
  connect(sync_, &BackgroundSync::FirstSyncPlanned, this, [this, run = QPointer(sync_)](const SyncPlan& plan) {
    const bool go = frmSyncPreview(plan, syncName_, this).exec() == QDialog::Accepted;
    if (run) run->Confirm(go);
  });
  connect(sync_, &BackgroundSync::ConflictFound, this, [this, run = QPointer(sync_)](const FieldConflict& conflict) {
    frmSyncConflict question(conflict, this);
    question.exec();
    if (run) run->Resolve(question.Choice());
  });
  connect(sync_, &BackgroundSync::Finished, this, &frmMain::FinishSync);
  syncPane_->setText(ProgressText(syncName_, {}));
  syncPane_->show();
  sync_->Start();
}

void frmMain::ReportSyncProblem(const QString& problem) {
  if (syncAutomatic_) statusBar()->showMessage(QString(problem).replace(QStringLiteral("\n\n"), QStringLiteral(" ")), kFailureShownMs);
  else ShowMessage(MessageKind::ErrorReport, problem);
}

// Takes the finished sync's outcome into the book, keeping what was edited
// meanwhile, and saves the book, then the sync state that matches it.
void frmMain::FinishSync() {
  BackgroundSync* run = std::exchange(sync_, nullptr);
  run->deleteLater();  // this runs in its signal
  syncPane_->hide();
  const SyncResult& result = run->Result();
  if (result.Cancelled) return;
  if (!result.Ok)
    return ReportSyncProblem(QStringLiteral("The book was not synced with %1; it is as it was.\n\n%2").arg(syncName_, result.Message));
  const int editedMeanwhile = TakeSyncOutcome(book_, run->Before(), run->Synced());
  if (book_.Dirty) {
    const Outcome saved = SaveDocument(book_);
    guard_.Follow(book_);
    if (!saved.Succeeded()) {
      RefreshView();
      if (syncAutomatic_)
        return ReportSyncProblem(QStringLiteral("The synced book could not be saved: %1 %2").arg(saved.Problem, saved.Error.Description));
      return ShowOutcome(saved);  // the next sync brings the server's changes again
    }
  }
  QString error;
  if (!SaveSyncState(syncStatePath_, run->State(), error)) ReportSyncProblem(error);
  if (!result.Plan.IsEmpty()) RefreshView();
  // Edits made meanwhile go up at the next sync; that they were kept is said first, where it shows.
  const QString kept = editedMeanwhile > 0 ? QStringLiteral("Edits made meanwhile kept, nothing lost. ") : QString();
  statusBar()->showMessage(kept + SyncSummary(syncName_, result.Plan), kStatusShownMs);
}

// Stops a sync in progress (at exit, or when another book takes this one's
// place): the book and the saved sync state stay as they were, and the next
// sync picks up from there.
void frmMain::AbandonSync() {
  if (!sync_) return;
  sync_->Abandon();
  delete std::exchange(sync_, nullptr);
  syncPane_->hide();
  statusBar()->showMessage(
      QStringLiteral("The sync with %1 was stopped; the next sync picks up from where the last one ended.").arg(syncName_), kStatusShownMs);
}
