// Finding the CardDAV server for what the user typed: a URL as it is, a
// domain through its DNS service records (RFC 6764).
#include <map>

#include <QLabel>
#include <QComboBox>

#include "sync/ServerLocation.h"
#include "sync/SyncWindowFixture.h"

namespace {

// DNS of the test's own: "service.domain" to its target.
class FakeDns : public ServiceDirectory {
 public:
  std::optional<ServiceTarget> Find(const QString& service, const QString& domain) override {
    asked.push_back(service + QLatin1Char('.') + domain);
    const auto found = records.find(asked.back());
    return found == records.end() ? std::nullopt : std::optional(found->second);
  }
  std::map<QString, ServiceTarget> records;
  QStringList asked;
};

struct LocationCase {
  const char* name;
  const char* typed;
  std::vector<std::pair<const char*, ServiceTarget>> records;
  const char* url;
  int lookups;  // how many service names DNS was asked about
};

class ServerLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(ServerLocationTest, GivesTheUrlWhereDiscoveryStarts) {
  FakeDns dns;
  for (const auto& [name, target] : GetParam().records) dns.records[QLatin1String(name)] = target;
  EXPECT_EQ(ServerUrl(QLatin1String(GetParam().typed), dns).toString(), QLatin1String(GetParam().url));
  EXPECT_EQ(dns.asked.size(), GetParam().lookups) << dns.asked.join(' ').toStdString();
}

const ServiceTarget kSecure{QStringLiteral("dav.example.com"), 8443, QStringLiteral("/dav/")};
const ServiceTarget kPlain{QStringLiteral("dav.example.com"), 80, {}};

INSTANTIATE_TEST_SUITE_P(
    Typed, ServerLocationTest,
    testing::Values(LocationCase{"FullUrl", "https://dav.example.com/alice/", {{"_carddavs._tcp.dav.example.com", kSecure}},
                                 "https://dav.example.com/alice/", 0},
                    LocationCase{"HostWithPort", "localhost:5232", {}, "https://localhost:5232", 0},
                    LocationCase{"DomainWithSecureService", "Example.com",
                                 {{"_carddavs._tcp.example.com", kSecure}, {"_carddav._tcp.example.com", kPlain}},
                                 "https://dav.example.com:8443/dav/", 1},
                    LocationCase{"EmailAddress", "alice@example.com", {{"_carddavs._tcp.example.com", kSecure}},
                                 "https://dav.example.com:8443/dav/", 1},
                    LocationCase{"PlainServiceOnly", "example.com", {{"_carddav._tcp.example.com", kPlain}}, "http://dav.example.com/", 2},
                    LocationCase{"NoServiceRecords", "example.com", {}, "https://example.com", 2}),
    [](const testing::TestParamInfo<LocationCase>& info) { return std::string(info.param.name); });

// The account dialog finds the test's Radicale from an e-mail address alone,
// through a plain CardDAV service record towards this computer.
TEST_F(SyncWindowTest, AnEmailAddressLeadsToTheServerItsDomainNamesInDns) {
  FakeDns dns;
  dns.records[QStringLiteral("_carddav._tcp.example.test")] = {QStringLiteral("127.0.0.1"), static_cast<quint16>(server.Root().port()),
                                                              QStringLiteral("/%1/").arg(server.User())};
  InstallDnsServices(&dns);
  frmSync account([](const QString& user, const QString& password) { return std::make_unique<QtHttpClient>(user, password); });
  ShowActive(account);
  FindAddressBooks(account, server.User() + QStringLiteral("@example.test"), server.User(), server.Password());
  InstallDnsServices(nullptr);
  EXPECT_EQ(account.cboAddressBook->currentText(), QStringLiteral("Contacts")) << account.lblStatus->text().toStdString();
  EXPECT_EQ(account.Account().AddressBook, addressBook);
}

}  // namespace
