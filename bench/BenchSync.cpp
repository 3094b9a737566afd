#include <memory>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "bench/GeneratedBook.h"
#include "core/DataFile.h"
#include "core/Document.h"
#include "support/PrivateRadicale.h"
#include "sync/CardPatch.h"
#include "sync/SyncEngine.h"

namespace {

constexpr int kServerCards = 10000;

// A local Radicale whose address book holds 10,000 cards, written straight
// into its storage folder, and the book and sync state that sync with it.
struct SyncBench {
  PrivateRadicale Server;
  QUrl AddressBook;
  QTemporaryDir Folder;
  BookState Book;
  SyncState State;
  bool FirstSyncDone = false;

  SyncBench() {
    if (!Server.Problem().isEmpty()) return;
    AddressBook = Server.AddAddressBook(QStringLiteral("bench"), QStringLiteral("Bench"));
    BookState cards = GenerateBook(kServerCards, 3);
    ConvertToUnicode(cards);
    const QDir folder(Server.AddressBookFolder(QStringLiteral("bench")));
    for (const AddressRecord& record : cards.Records) {
      QFile file(folder.filePath(QString::fromStdString(record.Uid) + QStringLiteral(".vcf")));
      if (file.open(QIODevice::WriteOnly)) file.write(NewCard(cards, record));
    }
    Server.CardsIn(AddressBook);  // the server reads and caches its cards once, before anything is measured
    NewDocument(Book);
    Book.Edition = BookEdition::Unicode;
    Book.FileName = Folder.filePath(QStringLiteral("bench.dat"));
    State.Account = {AddressBook, Server.User(), {}};
  }

  // Syncs and saves book and state, as the command line does.
  bool Sync() {
    QtHttpClient http(Server.User(), Server.Password());
    CardDavClient client(http);
    const SyncResult result = SyncBook(Book, State, client, {});
    QString error;
    const bool ok = result.Ok && SaveDocument(Book).Succeeded() && SaveSyncState(Folder.filePath(QStringLiteral("state.json")), State, error);
    if (!ok) qWarning("sync failed: %s", qPrintable(result.Message));
    return ok;
  }
};

SyncBench& Bench() {
  static SyncBench bench;
  return bench;
}

RegisterBenchStep firstSync{"first sync of 10,000 cards from a local Radicale", 30.0, [](BookState&) {
                              SyncBench& bench = Bench();
                              if (!bench.Server.Problem().isEmpty()) {
                                qWarning("no Radicale: %s", qPrintable(bench.Server.Problem()));
                                return 1e9;
                              }
                              double seconds = 0;
                              seconds = SecondsOf([&] { bench.FirstSyncDone = bench.Sync(); });
                              return bench.FirstSyncDone && bench.Book.RecordCount() == kServerCards ? seconds : 1e9;
                            }};

RegisterBenchStep incrementalSync{"incremental sync with one change (10,000 cards)", 1.0, [](BookState&) {
                                    SyncBench& bench = Bench();
                                    if (!bench.FirstSyncDone) return 1e9;
                                    const QUrl card = bench.AddressBook.resolved(QUrl(QString::fromStdString(bench.Book.Records[5].Uid) + QStringLiteral(".vcf")));
                                    bench.Server.Put(card, bench.Server.Get(card).replace("END:VCARD", "NOTE:changed elsewhere\r\nEND:VCARD"));
                                    bool ok = false;
                                    const double seconds = SecondsOf([&] { ok = bench.Sync(); });
                                    return ok ? seconds : 1e9;
                                  }};

}  // namespace
