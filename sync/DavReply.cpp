#include "sync/DavReply.h"

#include <QXmlStreamReader>

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");

bool Is(const QXmlStreamReader& xml, const QString& ns, const char* name) {
  return xml.namespaceUri() == ns && xml.name() == QLatin1String(name);
}

// "HTTP/1.1 404 Not Found" gives 404; 0 when there is no number.
int StatusCode(const QString& line) {
  const QStringList parts = line.simplified().split(QLatin1Char(' '));
  return parts.size() >= 2 ? parts[1].toInt() : 0;
}

// The text of the first <href> inside the current element; leaves the reader at its end.
QString HrefInside(QXmlStreamReader& xml) {
  QString href;
  while (xml.readNextStartElement()) {
    if (href.isEmpty() && Is(xml, kDav, "href")) href = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    else xml.skipCurrentElement();
  }
  return href;
}

void ReadResourceType(QXmlStreamReader& xml, DavResponse& response) {
  while (xml.readNextStartElement()) {
    if (Is(xml, kCardDav, "addressbook")) response.IsAddressBook = true;
    else if (Is(xml, kDav, "collection")) response.IsCollection = true;
    xml.skipCurrentElement();
  }
}

// Properties of a propstat; they count only when its status is 2xx, which
// the caller learns after them, so they are read into found.
void ReadProp(QXmlStreamReader& xml, DavResponse& found) {
  const auto text = [&xml] { return xml.readElementText(QXmlStreamReader::IncludeChildElements); };
  while (xml.readNextStartElement()) {
    if (Is(xml, kDav, "getetag")) found.ETag = text().trimmed().toUtf8();
    else if (Is(xml, kDav, "displayname")) found.DisplayName = text();
    else if (Is(xml, kDav, "sync-token")) found.SyncToken = text().trimmed();
    else if (Is(xml, kDav, "resourcetype")) ReadResourceType(xml, found);
    else if (Is(xml, kDav, "current-user-principal")) found.Principal = HrefInside(xml);
    else if (Is(xml, kCardDav, "addressbook-home-set")) found.HomeSet = HrefInside(xml);
    else if (Is(xml, kCardDav, "address-data")) found.AddressData = text().toUtf8();
    else xml.skipCurrentElement();
  }
}

void TakeFound(DavResponse& response, const DavResponse& found) {
  if (!found.ETag.isEmpty()) response.ETag = found.ETag;
  if (!found.AddressData.isEmpty()) response.AddressData = found.AddressData;
  if (!found.DisplayName.isEmpty()) response.DisplayName = found.DisplayName;
  if (!found.SyncToken.isEmpty()) response.SyncToken = found.SyncToken;
  if (!found.Principal.isEmpty()) response.Principal = found.Principal;
  if (!found.HomeSet.isEmpty()) response.HomeSet = found.HomeSet;
  response.IsAddressBook = response.IsAddressBook || found.IsAddressBook;
  response.IsCollection = response.IsCollection || found.IsCollection;
}

void ReadPropStat(QXmlStreamReader& xml, DavResponse& response) {
  DavResponse found;
  int status = 0;
  while (xml.readNextStartElement()) {
    if (Is(xml, kDav, "prop")) ReadProp(xml, found);
    else if (Is(xml, kDav, "status")) status = StatusCode(xml.readElementText(QXmlStreamReader::IncludeChildElements));
    else xml.skipCurrentElement();
  }
  if (status >= 200 && status < 300) {
    TakeFound(response, found);
    if (response.Status == 0) response.Status = status;
  }
}

DavResponse ReadResponse(QXmlStreamReader& xml) {
  DavResponse response;
  while (xml.readNextStartElement()) {
    if (Is(xml, kDav, "href") && response.Href.isEmpty()) response.Href = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    else if (Is(xml, kDav, "status")) response.Status = StatusCode(xml.readElementText(QXmlStreamReader::IncludeChildElements));
    else if (Is(xml, kDav, "propstat")) ReadPropStat(xml, response);
    else xml.skipCurrentElement();
  }
  return response;
}

}  // namespace

DavMultistatus ParseMultistatus(const QByteArray& body) {
  DavMultistatus result;
  QXmlStreamReader xml(body);
  if (!xml.readNextStartElement() || !Is(xml, kDav, "multistatus")) {
    result.Error = xml.hasError() ? xml.errorString() : QStringLiteral("the reply is no WebDAV multistatus");
    return result;
  }
  while (xml.readNextStartElement()) {
    if (Is(xml, kDav, "response")) {
      DavResponse response = ReadResponse(xml);
      if (!response.Href.isEmpty()) result.Responses.push_back(std::move(response));
    } else if (Is(xml, kDav, "sync-token")) {
      result.SyncToken = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    } else {
      xml.skipCurrentElement();
    }
  }
  if (xml.hasError()) {
    result.Error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    result.Responses.clear();
    return result;
  }
  result.Valid = true;
  return result;
}
