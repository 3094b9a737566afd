#include "sync/CardDavClient.h"

#include "sync/SyncFailure.h"

namespace {

constexpr qsizetype kFetchBatch = 200;
constexpr int kMostRedirections = 5;

const QByteArray kBookProperties =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
    "<d:prop><d:resourcetype/><d:displayname/></d:prop></d:propfind>";
const QByteArray kPrincipal =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\"><d:prop><d:current-user-principal/></d:prop></d:propfind>";
const QByteArray kHomeSet =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:carddav\">"
    "<d:prop><c:addressbook-home-set/></d:prop></d:propfind>";
const QByteArray kETags =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind xmlns:d=\"DAV:\"><d:prop><d:resourcetype/><d:getetag/><d:sync-token/></d:prop></d:propfind>";

QByteArray SyncCollectionBody(const QString& token) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
         token.toHtmlEscaped().toUtf8() + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
}

QByteArray MultigetBody(const QStringList& hrefs) {
  QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?><c:addressbook-multiget xmlns:d=\"DAV:\" "
                    "xmlns:c=\"urn:ietf:params:xml:ns:carddav\"><d:prop><d:getetag/><c:address-data/></d:prop>";
  for (const QString& href : hrefs) body += "<d:href>" + href.toHtmlEscaped().toUtf8() + "</d:href>";
  return body + "</c:addressbook-multiget>";
}

// Hrefs compared as decoded paths, whatever form the server wrote them in.
QString PathOf(const QUrl& base, const QString& href) { return base.resolved(QUrl(href)).path(); }

QUrl At(const QUrl& base, const QString& path) {
  QUrl url = base;
  url.setPath(path);
  return url;
}

bool IsSuccess(int status) { return status >= 200 && status < 300; }

}  // namespace

QString FailureMessage(const HttpReply& reply) {
  switch (reply.Status) {
    case 0: return reply.Untrusted ? reply.Failure : QStringLiteral("The server could not be reached: %1").arg(reply.Failure);
    case 401: return QStringLiteral("The server refused the user name or password (401).");
    case 403: return QStringLiteral("The server does not allow this (403).");
    case 404: return QStringLiteral("The address book was not found on the server (404).");
    case 507: return QStringLiteral("The address book on the server is full (507).");
    default:
      return reply.Status >= 500 ? QStringLiteral("The server failed (%1).").arg(reply.Status)
                                 : QStringLiteral("The server refused the request (%1).").arg(reply.Status);
  }
}

HttpReply CardDavClient::Send(const QByteArray& method, const QUrl& url, const QByteArray& body, const QByteArray& depth) {
  HttpRequest request{method, url, {}, body};
  if (!body.isEmpty()) request.Headers.push_back({"Content-Type", "application/xml; charset=utf-8"});
  if (!depth.isEmpty()) request.Headers.push_back({"Depth", depth});
  HttpReply reply = http_.Send(request);
  for (int hop = 0; hop < kMostRedirections && reply.Status >= 301 && reply.Status <= 308 && !reply.Location.isEmpty(); ++hop) {
    request.Url = request.Url.resolved(QUrl::fromEncoded(reply.Location));
    reply = http_.Send(request);
  }
  return reply;
}

DavMultistatus CardDavClient::Multistatus(const QByteArray& method, const QUrl& url, const QByteArray& body, const QByteArray& depth) {
  const HttpReply reply = Send(method, url, body, depth);
  if (reply.Status != 207) throw SyncFailure{FailureMessage(reply), reply.Status};
  DavMultistatus status = ParseMultistatus(reply.Body);
  if (!status.Valid) throw SyncFailure{QStringLiteral("The server's reply could not be read: %1").arg(status.Error), reply.Status};
  return status;
}

std::vector<AddressBookInfo> CardDavClient::AddressBooksAt(const QUrl& url, const QByteArray& depth) {
  std::vector<AddressBookInfo> books;
  for (const DavResponse& response : Multistatus("PROPFIND", url, kBookProperties, depth).Responses)
    if (response.IsAddressBook) books.push_back({At(url, PathOf(url, response.Href)), response.DisplayName});
  return books;
}

QUrl CardDavClient::PrincipalOf(const QUrl& url) {
  for (const DavResponse& response : Multistatus("PROPFIND", url, kPrincipal, "0").Responses)
    if (!response.Principal.isEmpty()) return At(url, PathOf(url, response.Principal));
  return url;
}

QUrl CardDavClient::HomeSetOf(const QUrl& principal) {
  for (const DavResponse& response : Multistatus("PROPFIND", principal, kHomeSet, "0").Responses)
    if (!response.HomeSet.isEmpty()) return principal.resolved(QUrl(response.HomeSet));
  return principal;
}

std::vector<AddressBookInfo> CardDavClient::Discover(const QUrl& url) {
  if (url.path().length() > 1) {
    std::vector<AddressBookInfo> named = AddressBooksAt(url, "0");
    if (!named.empty()) return named;
  }
  QUrl start = url;
  if (url.path().length() <= 1) start.setPath(QStringLiteral("/.well-known/carddav"));
  const HttpReply probe = Send("PROPFIND", start, kPrincipal, "0");
  if (probe.Status != 207) start = url;  // no well-known entry: ask the URL itself
  const QUrl home = HomeSetOf(PrincipalOf(start));
  return AddressBooksAt(home, "1");
}

CardListing CardDavClient::List(const QUrl& book) {
  CardListing listing;
  for (const DavResponse& response : Multistatus("PROPFIND", book, kETags, "1").Responses) {
    const QString path = PathOf(book, response.Href);
    if (path == book.path() || response.IsCollection) {
      if (path == book.path()) listing.SyncToken = response.SyncToken;
      continue;
    }
    if (IsSuccess(response.Status)) listing.Cards.push_back({path, response.ETag, {}});
  }
  return listing;
}

CardChanges CardDavClient::ChangesSince(const QUrl& book, const QString& token) {
  const DavMultistatus status = Multistatus("REPORT", book, SyncCollectionBody(token), "0");
  CardChanges changes;
  changes.SyncToken = status.SyncToken;
  for (const DavResponse& response : status.Responses) {
    const QString path = PathOf(book, response.Href);
    if (path == book.path()) continue;
    if (response.Status == 404) changes.Removed << path;
    else if (IsSuccess(response.Status)) changes.Changed.push_back({path, response.ETag, {}});
  }
  return changes;
}

std::vector<ServerCard> CardDavClient::Fetch(const QUrl& book, const QStringList& hrefs, const std::function<void(qsizetype)>& fetched) {
  std::vector<ServerCard> cards;
  for (qsizetype first = 0; first < hrefs.size(); first += kFetchBatch) {
    const QStringList batch = hrefs.mid(first, kFetchBatch);
    for (const DavResponse& response : Multistatus("REPORT", book, MultigetBody(batch), "1").Responses)
      if (IsSuccess(response.Status) && !response.AddressData.isEmpty())
        cards.push_back({PathOf(book, response.Href), response.ETag, response.AddressData});
    if (fetched) fetched(std::min(first + kFetchBatch, hrefs.size()));
  }
  return cards;
}

PutResult CardDavClient::Put(const QUrl& book, const QString& href, const QByteArray& text, const QByteArray& ifMatch) {
  HttpRequest request{"PUT", At(book, href), {{"Content-Type", "text/vcard; charset=utf-8"}}, text};
  request.Headers.push_back(ifMatch.isEmpty() ? std::pair<QByteArray, QByteArray>{"If-None-Match", "*"}
                                              : std::pair<QByteArray, QByteArray>{"If-Match", ifMatch});
  const HttpReply reply = http_.Send(request);
  if (reply.Status == 412) return {true, {}};
  if (!IsSuccess(reply.Status)) throw SyncFailure{FailureMessage(reply), reply.Status};
  return {false, reply.ETag};
}

bool CardDavClient::Remove(const QUrl& book, const QString& href, const QByteArray& ifMatch) {
  HttpRequest request{"DELETE", At(book, href), {}, {}};
  if (!ifMatch.isEmpty()) request.Headers.push_back({"If-Match", ifMatch});
  const HttpReply reply = http_.Send(request);
  if (reply.Status == 412) return false;
  if (!IsSuccess(reply.Status) && reply.Status != 404) throw SyncFailure{FailureMessage(reply), reply.Status};
  return true;
}
