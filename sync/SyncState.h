#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

// The server account a book syncs with. The password is not here: it is
// kept in the desktop's keyring or asked for.
struct SyncAccount {
  QUrl AddressBook;  // the address book's own URL
  QString User;
  QString DisplayName;
};

// A card as it was when this book and the server last agreed on it.
struct SyncedCard {
  QString Href;
  QByteArray ETag;
  std::string RecordUid;         // empty when the record was deleted here and the card kept
  int64_t RecordChangedMs = 0;   // the record's last change at that time
  QByteArray Text;               // the card's text as last synced
};

// What a book knows of its address book on the server, kept beside the book
// in the user's data folder.
struct SyncState {
  SyncAccount Account;
  QString SyncToken;
  bool KeepDeleted = false;  // deletions on one side leave the other side's copy alone
  bool SyncAfterSave = false;  // each successful save starts a sync
  bool SyncAtStartUp = false;  // opening the book at start-up starts a sync
  std::vector<SyncedCard> Cards;
  std::vector<std::string> Unlinked;  // records kept here after their card was deleted on the server

  bool HasAccount() const { return Account.AddressBook.isValid() && !Account.AddressBook.isEmpty(); }
};

// The file of the sync state of the book at bookPath, in folder.
QString SyncStatePath(const QString& folder, const QString& bookPath);

// The state of a book's file in the user's sync folder, one file however the book's path is written.
QString SyncStatePathOfBook(const QString& bookPath);

// An empty state when the file does not exist; false with error when it cannot be read.
bool LoadSyncState(const QString& path, SyncState& state, QString& error);
bool SaveSyncState(const QString& path, const SyncState& state, QString& error);
