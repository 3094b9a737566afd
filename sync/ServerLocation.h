#pragma once

#include <QUrl>

#include "platform/ServiceDirectory.h"

// Where discovery starts for a server as the user typed it. A URL, or a host
// with a port or a path, is taken as it is (https when no scheme is given).
// For a bare host name or an e-mail address, DNS is asked for the domain's
// CardDAV service (RFC 6764): _carddavs._tcp over HTTPS, else _carddav._tcp
// over plain HTTP (which the caller allows only to this computer or after its
// warning), with the path of its TXT record; without either, https://domain.
QUrl ServerUrl(const QString& typed, ServiceDirectory& dns);
