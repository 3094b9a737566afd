// The sync state kept beside each book, and what a sync refuses before it
// asks the server anything.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/Document.h"
#include "sync/SyncFixture.h"

namespace {

SyncState FullState() {
  SyncState state;
  state.Account = {QUrl(QStringLiteral("https://dav.example.org/alice/contacts/")), QStringLiteral("alice"), QStringLiteral("Família")};
  state.SyncToken = QStringLiteral("http://radicale.org/ns/sync/7");
  state.KeepDeleted = true;
  state.Cards.push_back({QStringLiteral("/alice/contacts/a.vcf"), "\"e1\"", "0f6e-uid", 1700000000123,
                         "BEGIN:VCARD\r\nFN:Анна \"Ann\"\r\nEND:VCARD\r\n"});
  state.Cards.push_back({QStringLiteral("/alice/contacts/kept.vcf"), "\"e2\"", "", 0, "BEGIN:VCARD\r\nEND:VCARD\r\n"});
  state.Unlinked = {"4b1d-uid"};
  return state;
}

TEST(SyncStateTest, IsKeptWholeReadableByItsOwnerOnly) {
  QTemporaryDir dir;
  const QString path = SyncStatePath(dir.path(), QStringLiteral("/home/alice/book.dat"));
  const SyncState saved = FullState();
  QString error;
  ASSERT_TRUE(SaveSyncState(path, saved, error)) << error.toStdString();
  const QFile::Permissions permissions = QFile::permissions(path);
  EXPECT_TRUE(permissions & QFile::ReadOwner);
  EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
  SyncState loaded;
  ASSERT_TRUE(LoadSyncState(path, loaded, error)) << error.toStdString();
  EXPECT_EQ(loaded.Account.AddressBook, saved.Account.AddressBook);
  EXPECT_EQ(loaded.Account.User, saved.Account.User);
  EXPECT_EQ(loaded.Account.DisplayName, saved.Account.DisplayName);
  EXPECT_EQ(loaded.SyncToken, saved.SyncToken);
  EXPECT_TRUE(loaded.KeepDeleted);
  ASSERT_EQ(loaded.Cards.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(loaded.Cards[i].Href, saved.Cards[i].Href);
    EXPECT_EQ(loaded.Cards[i].ETag, saved.Cards[i].ETag);
    EXPECT_EQ(loaded.Cards[i].RecordUid, saved.Cards[i].RecordUid);
    EXPECT_EQ(loaded.Cards[i].RecordChangedMs, saved.Cards[i].RecordChangedMs);
    EXPECT_EQ(loaded.Cards[i].Text, saved.Cards[i].Text);
  }
  EXPECT_EQ(loaded.Unlinked, saved.Unlinked);
}

TEST(SyncStateTest, EachBookHasItsOwnAndAMissingOneIsEmptyAndADamagedOneIsRefused) {
  QTemporaryDir dir;
  EXPECT_EQ(SyncStatePath(dir.path(), QStringLiteral("/a/book.dat")), SyncStatePath(dir.path(), QStringLiteral("/a/book.dat")));
  EXPECT_NE(SyncStatePath(dir.path(), QStringLiteral("/a/book.dat")), SyncStatePath(dir.path(), QStringLiteral("/b/book.dat")));
  const QString path = SyncStatePath(dir.path(), QStringLiteral("/a/book.dat"));
  SyncState state = FullState();
  QString error;
  ASSERT_TRUE(LoadSyncState(path, state, error));
  EXPECT_FALSE(state.HasAccount());
  EXPECT_TRUE(state.Cards.empty());
  QFile damaged(path);
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("{\"addressBook\": \"https://dav.example.org/\", \"cards\": [");
  damaged.close();
  EXPECT_FALSE(LoadSyncState(path, state, error));
  EXPECT_TRUE(error.contains(QLatin1String("damaged"))) << error.toStdString();
}

struct RefusedCase {
  const char* Name;
  bool Unicode;
  bool Account;
  const char* Message;
};

class SyncRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(SyncRefusedTest, BeforeAskingTheServerAnything) {
  BookState book;
  NewDocument(book);
  book.Edition = GetParam().Unicode ? BookEdition::Unicode : BookEdition::SingleByte;
  book.Records.emplace_back();
  InitNewRecord(book, 0);
  book.Records[0].Name = "Zoe";
  const BookState before = book;
  SyncState state;
  if (GetParam().Account) state.Account = {QUrl(QStringLiteral("https://dav.example.org/alice/contacts/")), QStringLiteral("alice"), {}};
  QtHttpClient unused(QStringLiteral("alice"), QStringLiteral("secret"));
  WatchedHttp http(unused);
  http.Answer = [](const HttpRequest&) -> std::optional<HttpReply> { return HttpReply{500, {}, {}, {}, {}}; };
  CardDavClient client(http);
  const SyncResult result = SyncBook(book, state, client, {});
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Message.contains(QLatin1String(GetParam().Message))) << result.Message.toStdString();
  EXPECT_TRUE(http.Sent.empty());
  EXPECT_EQ(book.Records, before.Records);
}

INSTANTIATE_TEST_SUITE_P(Books, SyncRefusedTest,
                         testing::Values(RefusedCase{"OldFormatBook", false, true, "Unicode"},
                                         RefusedCase{"NoAccount", true, false, "no address book"}),
                         [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.Name); });

}  // namespace
