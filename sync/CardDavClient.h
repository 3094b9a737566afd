#pragma once

#include <functional>
#include <vector>

#include <QStringList>
#include <QUrl>

#include "platform/HttpClient.h"
#include "sync/DavReply.h"

struct AddressBookInfo {
  QUrl Url;
  QString DisplayName;
};

// A card on the server as a listing or a report names it.
struct ServerCard {
  QString Href;  // the path on the server
  QByteArray ETag;
  QByteArray Text;  // empty until fetched
};

struct CardListing {
  std::vector<ServerCard> Cards;  // every card, with its ETag
  QString SyncToken;              // the collection's, empty when it offers none
};

struct CardChanges {
  std::vector<ServerCard> Changed;
  QStringList Removed;
  QString SyncToken;
};

struct PutResult {
  bool PreconditionFailed = false;  // 412: the card changed (or appeared) since
  QByteArray ETag;
};

// The CardDAV requests a sync needs (RFC 6352, RFC 6578, RFC 6764). Every
// failure throws a SyncFailure with its reason.
class CardDavClient {
 public:
  explicit CardDavClient(HttpClient& http) : http_(http) {}

  // The address books reachable from url: the address book itself when url
  // names one, else those found through /.well-known/carddav, the user's
  // principal and its address book home.
  std::vector<AddressBookInfo> Discover(const QUrl& url);
  CardListing List(const QUrl& book);
  // Changes since token. Throws with Status 403 or 409 when the server no
  // longer knows the token.
  CardChanges ChangesSince(const QUrl& book, const QString& token);
  // The cards' texts and ETags, in batches; fetched, when given, hears how
  // many have come after each batch.
  std::vector<ServerCard> Fetch(const QUrl& book, const QStringList& hrefs, const std::function<void(qsizetype)>& fetched = {});
  // Stores text at href: only if its ETag is still ifMatch, or, when ifMatch
  // is empty, only if no card is there yet.
  PutResult Put(const QUrl& book, const QString& href, const QByteArray& text, const QByteArray& ifMatch);
  // Deletes the card if its ETag is still ifMatch; false on 412. A card already gone counts as deleted.
  bool Remove(const QUrl& book, const QString& href, const QByteArray& ifMatch);

 private:
  HttpReply Send(const QByteArray& method, const QUrl& url, const QByteArray& body, const QByteArray& depth);
  DavMultistatus Multistatus(const QByteArray& method, const QUrl& url, const QByteArray& body, const QByteArray& depth);
  std::vector<AddressBookInfo> AddressBooksAt(const QUrl& url, const QByteArray& depth);
  QUrl PrincipalOf(const QUrl& url);
  QUrl HomeSetOf(const QUrl& principal);

  HttpClient& http_;
};

// The failure message for an HTTP status or for no answer at all.
QString FailureMessage(const HttpReply& reply);
