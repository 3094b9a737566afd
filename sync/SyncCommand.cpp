#include "sync/SyncCommand.h"

#include <QHostAddress>

#include "core/DataFile.h"
#include "core/Document.h"
#include "platform/BookLock.h"
#include "platform/FileSystem.h"
#include "platform/Keyring.h"
#include "platform/PasswordFile.h"
#include "platform/QtHttpClient.h"
#include "sync/SyncEngine.h"
#include "sync/ServerLocation.h"
#include "sync/SyncFailure.h"

namespace {

enum ExitCode { kDone = 0, kFailed = 1, kWrongUsage = 2 };

struct Failure {
  QString Message;
  int Code = kFailed;
};

QString Password(const SyncCommandRequest& request, const SyncAccount& account) {
  QString password, keyringError, fileError;
  if (DesktopKeyring().Read(PasswordKey(account.User, account.AddressBook), password, keyringError)) return password;
  if (request.PasswordFile.isEmpty())
    throw Failure{QStringLiteral("No password: the keyring has none for %1 (%2), and no --password-file was given.").arg(account.User, keyringError), kWrongUsage};
  if (!ReadPasswordFile(request.PasswordFile, password, fileError)) throw Failure{fileError};
  return password;
}

// The address book the request's URL leads to: the one it names, or the only one found.
AddressBookInfo ChooseAddressBook(CardDavClient& client, const QUrl& url) {
  const std::vector<AddressBookInfo> books = client.Discover(url);
  if (books.size() == 1) return books.front();
  if (books.empty()) throw Failure{QStringLiteral("No address book was found at %1.").arg(url.toString())};
  QStringList names;
  for (const AddressBookInfo& book : books) names << QStringLiteral("    %1 (%2)").arg(book.Url.toString(), book.DisplayName);
  throw Failure{QStringLiteral("%1 offers several address books; give the one to sync with as --server:\n%2").arg(url.toString(), names.join('\n')), kWrongUsage};
}

QString InWords(const Outcome& outcome) {
  return outcome.Error.Description.isEmpty() ? outcome.Problem : outcome.Problem + QLatin1Char(' ') + outcome.Error.Description;
}

// The book to sync; a missing one is made, as a Unicode book.
void LoadBookToSync(BookState& book, const SyncCommandRequest& request) {
  NewDocument(book);
  if (const Outcome loaded = LoadDocument(book, request.Book); !loaded.Succeeded()) throw Failure{InWords(loaded)};
  if (book.IsUnicode()) return;
  if (!request.ConvertToUnicode && book.RecordCount() > 0)
    throw Failure{QStringLiteral("'%1' is in the old format, which would change the server's names into Latin letters; "
                                 "give --convert-to-unicode to make it a Unicode address book first.").arg(request.Book)};
  ConvertToUnicode(book);
}

SyncAccount AccountOf(const SyncCommandRequest& request, const SyncState& state) {
  if (request.Server.isEmpty()) {
    if (!state.HasAccount())
      throw Failure{QStringLiteral("'%1' has no sync account yet; give --server URL --user NAME --password-file FILE.").arg(request.Book), kWrongUsage};
    return state.Account;
  }
  const QUrl url = ServerUrl(request.Server, DnsServices());
  if (!IsSafeServerUrl(url))
    throw Failure{QStringLiteral("%1 would send the password unencrypted; use https (plain http only to this computer).").arg(url.toString())};
  if (state.HasAccount() && state.Account.User != request.User)
    throw Failure{QStringLiteral("'%1' already syncs as %2 with %3.").arg(request.Book, state.Account.User, state.Account.AddressBook.toString())};
  return {url, request.User, {}};
}

void Run(const SyncCommandRequest& request, QTextStream& out) {
  BookLock lock;
  if (lock.Take(request.Book) == BookLock::Outcome::HeldElsewhere)
    throw Failure{QStringLiteral("'%1' is open in Vantreo (%2); close it there first.").arg(request.Book, lock.Holder())};
  BookState book;
  LoadBookToSync(book, request);
  const QString statePath = SyncStatePathOfBook(request.Book);
  SyncState state;
  QString error;
  if (!LoadSyncState(statePath, state, error)) throw Failure{error};
  SyncAccount account = AccountOf(request, state);
  QtHttpClient http(account.User, Password(request, account));
  CardDavClient client(http);
  if (!request.Server.isEmpty()) {
    const AddressBookInfo chosen = ChooseAddressBook(client, account.AddressBook);
    if (state.HasAccount() && chosen.Url != state.Account.AddressBook)
      throw Failure{QStringLiteral("'%1' already syncs with %2.").arg(request.Book, state.Account.AddressBook.toString())};
    account = {chosen.Url, account.User, chosen.DisplayName};
  }
  state.Account = account;
  const SyncResult result = SyncBook(book, state, client, {});
  if (!result.Ok) throw Failure{result.Message};
  if (book.Dirty || !FileExists(request.Book)) {
    if (const Outcome saved = SaveDocument(book); !saved.Succeeded())
      throw Failure{InWords(saved) + QStringLiteral(" The server has the changes; the next sync brings them here.")};
  }
  if (!SaveSyncState(statePath, state, error)) throw Failure{error};
  for (const QString& line : result.Plan.Summary()) out << line << '\n';
  out << QStringLiteral("Synced %1 with %2 (%3 records).").arg(request.Book, account.AddressBook.toString()).arg(book.RecordCount()) << Qt::endl;
}

}  // namespace

QString PasswordKey(const QString& user, const QUrl& addressBook) {
  return QStringLiteral("%1@%2").arg(user, addressBook.adjusted(QUrl::RemovePath).toString());
}

bool IsSafeServerUrl(const QUrl& url) {
  if (url.scheme() == QLatin1String("https")) return true;
  if (url.scheme() != QLatin1String("http")) return false;
  const QHostAddress address(url.host());
  return url.host() == QLatin1String("localhost") || (!address.isNull() && address.isLoopback());
}

int RunSyncCommand(const SyncCommandRequest& request, QTextStream& out, QTextStream& err) {
  try {
    Run(request, out);
    return kDone;
  } catch (const Failure& failure) {
    err << "vantreo: " << failure.Message << Qt::endl;
    return failure.Code;
  } catch (const SyncFailure& failure) {
    err << "vantreo: " << failure.Message << Qt::endl;
    return kFailed;
  }
}
