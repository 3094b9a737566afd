// Reaching the server: discovery from a bare host name, why a server could
// not be reached, which addresses may take a password unencrypted, and the
// password file of the command line.
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include "platform/PasswordFile.h"
#include "sync/SyncCommand.h"
#include "sync/SyncFixture.h"

namespace {

class SyncBareHostTest : public SyncTest, public testing::WithParamInterface<const char*> {};

// The host answers only /.well-known/carddav, with a redirection to the
// user's principal; its other paths are the private server's.
TEST_P(SyncBareHostTest, DiscoveryAsksTheWellKnownAddressAndFollowsItsRedirection) {
  const QUrl typed(QString::fromLatin1(GetParam()));
  WatchedHttp host(http);
  host.Answer = [this](const HttpRequest& request) -> std::optional<HttpReply> {
    if (request.Url.path() == QLatin1String("/.well-known/carddav")) return HttpReply{301, {}, {}, "/alice/", {}};
    if (request.Url.path().length() <= 1) return HttpReply{404, {}, {}, {}, {}};
    HttpRequest onServer = request;
    onServer.Url.setScheme(server.Root().scheme());
    onServer.Url.setHost(server.Root().host());
    onServer.Url.setPort(server.Root().port());
    return http.Send(onServer);
  };
  CardDavClient client(host);
  const std::vector<AddressBookInfo> found = client.Discover(typed);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].DisplayName, QStringLiteral("Contacts"));
  EXPECT_EQ(found[0].Url.path(), addressBook.path());
  EXPECT_EQ(host.Sent.at(0).Url.path(), QStringLiteral("/.well-known/carddav"));
}

INSTANTIATE_TEST_SUITE_P(Hosts, SyncBareHostTest, testing::Values("https://contacts.example.org", "https://contacts.example.org/"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(QUrl(QLatin1String(info.param)).path().isEmpty() ? "NoPath" : "RootPath");
                         });

TEST(SyncUnreachableTest, TheMessageSaysWhyTheServerCouldNotBeReached) {
  QTcpServer closed;  // a port that was free a moment ago and has no listener now
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const QUrl url(QStringLiteral("http://127.0.0.1:%1/alice/contacts/").arg(closed.serverPort()));
  closed.close();
  QtHttpClient http(QStringLiteral("alice"), QStringLiteral("secret"));
  CardDavClient client(http);
  SyncState state;
  state.Account = {url, QStringLiteral("alice"), {}};
  BookState book;
  NewDocument(book);
  book.Edition = BookEdition::Unicode;
  const SyncResult result = SyncBook(book, state, client, {});
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Message.contains(QLatin1String("could not be reached"))) << result.Message.toStdString();
  EXPECT_TRUE(result.Message.contains(QLatin1String("Connection refused"), Qt::CaseInsensitive)) << result.Message.toStdString();
}

struct AddressCase {
  const char* Name;
  const char* Url;
  bool Safe;
};

class SyncPlainHttpTest : public testing::TestWithParam<AddressCase> {};

TEST_P(SyncPlainHttpTest, PlainHttpOnlyStaysOnThisComputer) {
  EXPECT_EQ(IsSafeServerUrl(QUrl(QLatin1String(GetParam().Url))), GetParam().Safe) << GetParam().Url;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SyncPlainHttpTest,
    testing::Values(AddressCase{"Localhost", "http://localhost:5232/alice/", true}, AddressCase{"Loopback4", "http://127.0.0.1/", true},
                    AddressCase{"Loopback6", "http://[::1]:8080/dav/", true}, AddressCase{"Https", "https://example.org/", true},
                    AddressCase{"DocumentationAddress", "http://192.0.2.1/", false},
                    AddressCase{"PrivateAddress", "http://10.0.0.1/", false}, AddressCase{"HostName", "http://example.org/", false},
                    AddressCase{"LocalhostLookalike", "http://localhost.example.org/", false},
                    AddressCase{"LoopbackLookalike", "http://127.0.0.1.example.org/", false},
                    AddressCase{"OtherScheme", "ftp://localhost/", false}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.Name); });

struct PasswordCase {
  const char* Name;
  QByteArray Content;
  QFile::Permissions Permissions;
  bool Read;
  const char* Password;  // or a part of the refusal
};

constexpr QFile::Permissions kOwner = QFile::ReadOwner | QFile::WriteOwner;

class SyncPasswordFileTest : public testing::TestWithParam<PasswordCase> {};

TEST_P(SyncPasswordFileTest, TakesTheFirstLineOfAFileOnlyItsOwnerCanRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("password"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(GetParam().Content);
  file.close();
  ASSERT_TRUE(file.setPermissions(GetParam().Permissions));
  QString password, error;
  ASSERT_EQ(ReadPasswordFile(path, password, error), GetParam().Read) << error.toStdString();
  if (GetParam().Read) EXPECT_EQ(password, QString::fromUtf8(GetParam().Password));
  else EXPECT_TRUE(error.contains(QLatin1String(GetParam().Password))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, SyncPasswordFileTest,
    testing::Values(PasswordCase{"LineFeed", "s3cret\n", kOwner, true, "s3cret"},
                    PasswordCase{"CarriageReturnLineFeed", "s3cret\r\n", kOwner, true, "s3cret"},
                    PasswordCase{"NoLineEnd", "s3cret", kOwner, true, "s3cret"},
                    PasswordCase{"FirstLineOnly", "s3cret\r\nnotes\n", kOwner, true, "s3cret"},
                    PasswordCase{"BlanksKept", " two words \n", kOwner, true, " two words "},
                    PasswordCase{"OwnerReadOnly", "s3cret\n", QFile::ReadOwner, true, "s3cret"},
                    PasswordCase{"GroupReadable", "s3cret\n", kOwner | QFile::ReadGroup, false, "readable by its owner only"},
                    PasswordCase{"OthersReadable", "s3cret\n", kOwner | QFile::ReadOther, false, "readable by its owner only"},
                    PasswordCase{"GroupWritable", "s3cret\n", kOwner | QFile::WriteGroup, false, "readable by its owner only"}),
    [](const testing::TestParamInfo<PasswordCase>& info) { return std::string(info.param.Name); });

TEST(SyncPasswordFileMissingTest, IsRefusedSayingSo) {
  QString password, error;
  EXPECT_FALSE(ReadPasswordFile(QStringLiteral("/nonexistent/vantreo-password"), password, error));
  EXPECT_TRUE(error.contains(QLatin1String("does not exist"))) << error.toStdString();
}

}  // namespace
