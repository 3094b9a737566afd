#pragma once

#include <optional>

#include <QString>

// Where DNS says a domain offers a service (RFC 2782 SRV), with the path its
// TXT record names (RFC 6763 "path=").
struct ServiceTarget {
  QString Host;
  quint16 Port = 0;
  QString Path;  // empty when no TXT record names one
};

// The DNS service records of a domain. Sync finds a CardDAV server through
// this, so that tests can stand in for DNS.
class ServiceDirectory {
 public:
  virtual ~ServiceDirectory() = default;
  // The preferred target of service ("_carddavs._tcp") at domain; nothing
  // when DNS names none, or says the service is not offered there.
  virtual std::optional<ServiceTarget> Find(const QString& service, const QString& domain) = 0;
};

// DNS through Qt Network, unless another is installed (nullptr brings it back).
ServiceDirectory& DnsServices();
void InstallDnsServices(ServiceDirectory* implementation);
