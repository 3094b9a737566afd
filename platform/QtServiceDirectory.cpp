#include <QDnsLookup>
#include <QEventLoop>

#include "platform/ServiceDirectory.h"
#include "platform/ServiceSlot.h"

namespace {

// Runs the lookup to its end; false when it failed or found nothing.
bool Look(QDnsLookup& lookup) {
  QEventLoop loop;
  QObject::connect(&lookup, &QDnsLookup::finished, &loop, &QEventLoop::quit);
  lookup.lookup();
  if (!lookup.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return lookup.error() == QDnsLookup::NoError;
}

QString PathOf(const QString& name) {
  QDnsLookup lookup(QDnsLookup::TXT, name);
  if (!Look(lookup)) return {};
  for (const QDnsTextRecord& record : lookup.textRecords())
    for (const QByteArray& value : record.values())
      if (value.startsWith("path=")) return QString::fromUtf8(value.mid(5));
  return {};
}

class QtServiceDirectory : public ServiceDirectory {
 public:
  std::optional<ServiceTarget> Find(const QString& service, const QString& domain) override {
    const QString name = service + QLatin1Char('.') + domain;
    QDnsLookup lookup(QDnsLookup::SRV, name);
    // Records come sorted by priority and weight; a target of "." says the
    // domain does not offer the service.
    if (!Look(lookup) || lookup.serviceRecords().isEmpty()) return std::nullopt;
    const QDnsServiceRecord best = lookup.serviceRecords().constFirst();
    if (best.target().isEmpty() || best.target() == QLatin1String(".")) return std::nullopt;
    QString host = best.target();
    if (host.endsWith(QLatin1Char('.'))) host.chop(1);
    return ServiceTarget{host, best.port(), PathOf(name)};
  }
};

ServiceSlot<ServiceDirectory> slot([] { return std::make_unique<QtServiceDirectory>(); });

}  // namespace

ServiceDirectory& DnsServices() { return slot.Get(); }

void InstallDnsServices(ServiceDirectory* implementation) { slot.Install(implementation); }
