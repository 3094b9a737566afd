#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

// One <response> of a WebDAV multistatus reply, with the properties this
// program asks for. Status is the HTTP status of the response itself, or of
// the propstat that carried the found properties (404 for a member removed
// since a sync-token).
struct DavResponse {
  QString Href;
  int Status = 0;
  QByteArray ETag;
  QByteArray AddressData;  // the card's text, UTF-8
  QString DisplayName;
  bool IsAddressBook = false;
  bool IsCollection = false;
  QString Principal;  // current-user-principal
  QString HomeSet;    // addressbook-home-set
  QString SyncToken;  // the collection's sync-token property
};

struct DavMultistatus {
  bool Valid = false;
  QString Error;  // why the reply could not be read
  std::vector<DavResponse> Responses;
  QString SyncToken;  // the sync-token of a sync-collection report
};

// Reads a multistatus reply (RFC 4918, RFC 6352, RFC 6578). Elements are
// matched by namespace and local name; unknown ones are skipped. A reply
// that is no well-formed XML or has no multistatus root is not Valid.
DavMultistatus ParseMultistatus(const QByteArray& body);
