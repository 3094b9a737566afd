#pragma once

#include <QString>
#include <QTextStream>
#include <QUrl>

struct SyncCommandRequest {
  QString Book;
  QString Server;        // the first run: a host name or URL; later runs may leave it out
  QString User;
  QString PasswordFile;  // used when the keyring has no password
  bool ConvertToUnicode = false;
};

// vantreo --sync: syncs the book with its address book, setting the account
// up from the request on the first run. Conflicts keep both versions. The
// summary goes to out, a failure to err. Returns 0 synced, 1 failed (the
// book unchanged), 2 when the request lacks what the book needs.
int RunSyncCommand(const SyncCommandRequest& request, QTextStream& out, QTextStream& err);

// The keyring entry of an account's password.
QString PasswordKey(const QString& user, const QUrl& addressBook);

// True for an https URL, or an http one that stays on this computer.
bool IsSafeServerUrl(const QUrl& url);
