#include "sync/ServerLocation.h"

namespace {

QUrl TargetUrl(const QString& scheme, const ServiceTarget& target) {
  QUrl url;
  url.setScheme(scheme);
  url.setHost(target.Host);
  const int standardPort = scheme == QLatin1String("https") ? 443 : 80;
  if (target.Port != 0 && target.Port != standardPort) url.setPort(target.Port);
  url.setPath(target.Path.isEmpty() ? QStringLiteral("/") : target.Path);
  return url;
}

}  // namespace

QUrl ServerUrl(const QString& typed, ServiceDirectory& dns) {
  const QString trimmed = typed.trimmed();
  if (trimmed.contains(QLatin1String("://"))) return QUrl::fromUserInput(trimmed);
  if (trimmed.contains(QLatin1Char('/')) || trimmed.contains(QLatin1Char(':')) || trimmed.isEmpty())
    return QUrl::fromUserInput(QStringLiteral("https://") + trimmed);
  const QString domain = trimmed.section(QLatin1Char('@'), -1).toLower();
  if (const auto secure = dns.Find(QStringLiteral("_carddavs._tcp"), domain)) return TargetUrl(QStringLiteral("https"), *secure);
  if (const auto plain = dns.Find(QStringLiteral("_carddav._tcp"), domain)) return TargetUrl(QStringLiteral("http"), *plain);
  return QUrl::fromUserInput(QStringLiteral("https://") + domain);
}
