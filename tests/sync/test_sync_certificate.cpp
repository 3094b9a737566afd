// HTTPS to a server whose certificate the system does not trust: discovery
// and sync stop, saying why, and the book stays as it was.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/PrivateTlsServer.h"
#include "support/RealComponent.h"
#include "sync/SyncWindowFixture.h"

namespace {

void ExpectUntrustedSelfSigned(const QString& message) {
  EXPECT_TRUE(message.startsWith(QLatin1String("The server's certificate is not trusted"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QLatin1String("self-signed"))) << message.toStdString();
}

TEST(SyncCertificateTest, AnUntrustedCertificateStopsDiscoveryAndSyncSayingWhyAndTheBookStaysAsItWas) {
  PrivateTlsServer server;
  if (!server.Problem().isEmpty()) {
    if (!QFile::exists(QStringLiteral("/usr/bin/openssl"))) GTEST_SKIP() << "SKIPPED LOUDLY: " << server.Problem().toStdString();
    SKIP_OR_FAIL_NOT_STARTED("openssl s_server", server.Problem().toStdString());
  }
  frmSync account([](const QString& user, const QString& password) { return std::make_unique<QtHttpClient>(user, password); });
  account.txtServer->setText(server.Root().toString());
  account.txtUser->setText(QStringLiteral("alice"));
  account.txtPassword->setText(QStringLiteral("secret"));
  account.cmdFind->click();
  ExpectUntrustedSelfSigned(account.lblStatus->text());
  EXPECT_FALSE(account.cmdOK->isEnabled());

  BookState book;
  NewDocument(book);
  book.Edition = BookEdition::Unicode;
  book.Records.emplace_back();
  InitNewRecord(book, 0);
  book.Records[0].Name = "Ada Lovelace";
  const std::vector<AddressRecord> records = book.Records;
  SyncState state;
  state.Account = {server.Root().resolved(QUrl(QStringLiteral("/alice/contacts/"))), QStringLiteral("alice"), {}};
  QtHttpClient http(QStringLiteral("alice"), QStringLiteral("secret"));
  CardDavClient client(http);
  const SyncResult result = SyncBook(book, state, client, {});
  EXPECT_FALSE(result.Ok);
  ExpectUntrustedSelfSigned(result.Message);
  EXPECT_EQ(book.Records, records);
  EXPECT_FALSE(book.Dirty);
  EXPECT_TRUE(state.Cards.empty() && state.SyncToken.isEmpty());
}

}  // namespace
