// A first sync pairs server cards with the book's records: by UID first,
// then by the likely-duplicate rules of import, each record with one card.
#include <set>

#include "support/BookInvariants.h"
#include "sync/SyncFixture.h"

namespace {

struct UidForm {
  const char* Name;
  QByteArray (*Written)(const std::string& uid);
};

class SyncUidMatchTest : public SyncTest, public testing::WithParamInterface<UidForm> {};

// The card names the record's UID but none of its values: only the UID can pair them.
TEST_P(SyncUidMatchTest, ACardWithTheUidOfARecordNeverSyncedIsMergedIntoIt) {
  BookState book = UnicodeBook();
  AddressRecord& record = AddRecord(book, "", "");
  record.Company = "Analytical Engines";
  const std::string uid = record.Uid;
  server.Put(CardUrl("ada.vcf"), Card(GetParam().Written(uid).constData(), "Ada Lovelace", "TEL:555-0101\r\n"));
  SyncState state = StateFor(addressBook);
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Uid, uid);
  EXPECT_EQ(book.Records[0].Name, "Ada Lovelace");
  EXPECT_EQ(book.Records[0].Company, "Analytical Engines");
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  EXPECT_TRUE(server.Get(CardUrl("ada.vcf")).contains("ORG:Analytical Engines"));
  EXPECT_TRUE(Sync(book, state).Plan.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SyncUidMatchTest,
    testing::Values(UidForm{"AsStored", [](const std::string& uid) { return QByteArray::fromStdString(uid); }},
                    UidForm{"UrnUuid", [](const std::string& uid) { return "urn:uuid:" + QByteArray::fromStdString(uid); }},
                    UidForm{"UpperCase", [](const std::string& uid) { return QByteArray::fromStdString(uid).toUpper(); }}),
    [](const testing::TestParamInfo<UidForm>& info) { return std::string(info.param.Name); });

TEST_F(SyncTest, ARecordPairedByUidIsNotAlsoTakenAsTheLikelyDuplicateOfAnotherCard) {
  BookState book = UnicodeBook();
  const std::string uid = AddRecord(book, "Ada Lovelace", "555-0101").Uid;
  AddRecord(book, "Bea Here", "555-0202");
  server.Put(CardUrl("paired.vcf"), Card(uid.c_str(), "Ada Lovelace", "TEL:555-0101\r\n"));
  server.Put(CardUrl("lookalike.vcf"), Card("other", "Ada Lovelace", "TEL:555 0101\r\nNOTE:from the old phone\r\n"));
  SyncState state = StateFor(addressBook);
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_TRUE(result.Plan.LikelyPairs.isEmpty()) << result.Plan.LikelyPairs.join(' ').toStdString();
  EXPECT_EQ(result.Plan.AddHere, QStringList{QStringLiteral("Ada Lovelace")});
  ASSERT_EQ(book.RecordCount(), 3);
  EXPECT_EQ(Named(book, "Ada Lovelace")->Uid, uid);
  EXPECT_EQ(book.Records[0].Notes, "");
  EXPECT_EQ(book.Records[2].Notes, "from the old phone");
  EXPECT_EQ(server.CardsIn(addressBook).size(), 3);
  std::set<std::string> linked;
  for (const SyncedCard& card : state.Cards) linked.insert(card.RecordUid);
  EXPECT_EQ(linked.size(), 3u);  // each record with a card of its own
  EXPECT_EQ(BrokenInvariant(book), "");
  EXPECT_TRUE(Sync(book, state).Plan.IsEmpty());
}

}  // namespace
