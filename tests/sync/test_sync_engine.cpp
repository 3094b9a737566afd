// Two-way sync against a real Radicale server, book and server side by side.
#include <QRegularExpression>

#include "support/BookInvariants.h"
#include "sync/SyncFixture.h"

namespace {

int Lines(const QByteArray& card, const char* property) {
  return static_cast<int>(QString::fromUtf8(card).count(QRegularExpression(QStringLiteral("(^|\\n)%1[;:]").arg(QLatin1String(property)))));
}

bool SameContent(const BookState& a, const BookState& b) {
  return a.Records == b.Records && a.Groups == b.Groups && a.PhoneNames == b.PhoneNames && a.Dirty == b.Dirty;
}

TEST_F(SyncTest, DiscoveryFindsTheAddressBooksFromTheServerThePrincipalOrTheBookItself) {
  server.AddAddressBook(QStringLiteral("work"), QStringLiteral("Work contacts"));
  CardDavClient client(http);
  for (const QUrl& start : {server.Root(), server.Root().resolved(QUrl(QStringLiteral("/alice/")))}) {
    QStringList names;
    for (const AddressBookInfo& book : client.Discover(start)) names << book.DisplayName;
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Contacts"), QStringLiteral("Work contacts")})) << start.toString().toStdString();
  }
  const std::vector<AddressBookInfo> named = client.Discover(addressBook);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].Url, addressBook);
}

TEST_F(SyncTest, FirstSyncIntoAnEmptyBookBringsEveryCardWithItsNamesUnchanged) {
  server.Put(CardUrl("a.vcf"), Card("a", "Анна Петрова", "TEL;TYPE=CELL:+7 495 1\r\nCATEGORIES:Семья\r\n"));
  server.Put(CardUrl("b.vcf"), Card("b", "Zoë Ödegaard", "ORG:Fjord AS\r\n"));
  BookState book = UnicodeBook();
  SyncState state = StateFor(addressBook);
  int previews = 0;
  const SyncResult result = Sync(book, state, {false, {}, [&](const SyncPlan& plan) { return ++previews, plan.AddHere.size() == 2; }, {}});
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_EQ(previews, 1);
  ASSERT_EQ(book.RecordCount(), 2);
  const AddressRecord* anna = Named(book, "Анна Петрова");
  ASSERT_NE(anna, nullptr);
  EXPECT_EQ(anna->Phones[0], "+7 495 1");
  EXPECT_EQ(book.Groups, GroupList{"Семья"});
  EXPECT_EQ(state.Cards.size(), 2u);
  EXPECT_EQ(BrokenInvariant(book), "");
}

TEST_F(SyncTest, FirstSyncIntoABookWithRecordsMergesAfterThePreviewAndWipesNothing) {
  server.Put(CardUrl("a.vcf"), Card("a", "Ada Lovelace", "TEL:555-0101\r\nEMAIL:ada@example.org\r\n"));
  server.Put(CardUrl("c.vcf"), Card("c", "Carl Gauss"));
  BookState book = UnicodeBook();
  AddRecord(book, "Ada Lovelace", "555 0101").Address = "12 St James's Square\r\nLondon";
  AddRecord(book, "Bea Here", "555-0202");
  SyncState state = StateFor(addressBook);
  SyncPlan shown;
  ASSERT_TRUE(Sync(book, state, {false, {}, [&](const SyncPlan& plan) { return shown = plan, false; }, {}}).Cancelled);
  EXPECT_EQ(book.RecordCount(), 2);  // cancelled: nothing changed
  EXPECT_EQ(server.CardsIn(addressBook).size(), 2);
  EXPECT_EQ(shown.AddHere, QStringList{QStringLiteral("Carl Gauss")});
  EXPECT_EQ(shown.AddOnServer, QStringList{QStringLiteral("Bea Here")});
  EXPECT_EQ(shown.LikelyPairs, QStringList{QStringLiteral("Ada Lovelace = Ada Lovelace")});
  ASSERT_TRUE(Sync(book, state).Ok);
  EXPECT_EQ(book.RecordCount(), 3);
  EXPECT_EQ(server.CardsIn(addressBook).size(), 3);
  const QByteArray ada = server.Get(CardUrl("a.vcf"));
  EXPECT_TRUE(ada.contains("ada@example.org"));
  EXPECT_TRUE(ada.contains("St James")) << ada.constData();  // the record's address went up into the same card
}

TEST_F(SyncTest, APhoneEditedHereGoesUpAndTheCardKeepsEverythingTheRecordDoesNotHold) {
  const QByteArray card = Card("full", "Grace Hopper",
                               "N:Hopper;Grace;;;\r\nEMAIL;TYPE=INTERNET:grace@navy.example\r\nBDAY:1906-12-09\r\nURL:https://example.org/grace\r\n"
                               "X-SPOUSE:Vincent\r\nPHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ==\r\nTEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\n"
                               "TEL;TYPE=CELL:3\r\nTEL;TYPE=FAX:4\r\nTEL;TYPE=PAGER:5\r\nADR;TYPE=WORK:;;1 Navy Way;Arlington;VA;22201;USA\r\n"
                               "ADR;TYPE=HOME:;;2 Home Rd;New York;NY;10001;USA\r\n");
  server.Put(CardUrl("full.vcf"), card);
  BookState book = UnicodeBook();
  SyncState state = StateFor(addressBook);
  ASSERT_TRUE(Sync(book, state).Ok);
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Notes, "");  // what the card keeps by itself is not copied into the notes
  Edit(book, 0, [](AddressRecord& record) { record.Phones[1] = "2-new"; });
  const SyncResult up = Sync(book, state);
  ASSERT_TRUE(up.Ok) << up.Message.toStdString();
  EXPECT_EQ(up.Plan.UpdateOnServer, QStringList{QStringLiteral("Grace Hopper")});
  const QByteArray after = server.Get(CardUrl("full.vcf"));
  for (const char* kept : {"grace@navy.example", "BDAY:1906-12-09", "X-SPOUSE:Vincent", "/9j/4AAQSkZJRgABAQ==", "example.org/grace",
                           "2 Home Rd", "1 Navy Way"})
    EXPECT_TRUE(after.contains(kept)) << kept;
  EXPECT_EQ(Lines(after, "TEL"), 5);
  EXPECT_TRUE(after.contains("2-new"));
  EXPECT_FALSE(after.contains(":2\r\n"));
  EXPECT_EQ(Lines(after, "PHOTO"), 1);
}

TEST_F(SyncTest, TwoBooksOnOneServerShareChangesAndDeletionsBothWays) {
  BookState first = UnicodeBook(), second = UnicodeBook();
  AddRecord(first, "Kept Everywhere", "1");
  AddRecord(first, "Deleted There", "2");
  AddRecord(first, "Deleted Here", "3");
  SyncState firstState = StateFor(addressBook), secondState = StateFor(addressBook);
  ASSERT_TRUE(Sync(first, firstState).Ok);
  ASSERT_TRUE(Sync(second, secondState).Ok);
  ASSERT_EQ(second.RecordCount(), 3);

  Edit(first, 0, [](AddressRecord& record) { record.Company = "Acme"; });
  first.Records.erase(first.Records.begin() + 2);
  second.Records.erase(second.Records.begin() + (Named(second, "Deleted There") - second.Records.data()));
  const SyncResult a = Sync(first, firstState);
  ASSERT_TRUE(a.Ok);
  EXPECT_EQ(a.Plan.DeleteOnServer, QStringList{QStringLiteral("Deleted Here")});
  const SyncResult b = Sync(second, secondState);
  ASSERT_TRUE(b.Ok);
  EXPECT_EQ(b.Plan.DeleteHere, QStringList{QStringLiteral("Deleted Here")});
  EXPECT_EQ(b.Plan.DeleteOnServer, QStringList{QStringLiteral("Deleted There")});
  const SyncResult c = Sync(first, firstState);
  EXPECT_EQ(c.Plan.DeleteHere, QStringList{QStringLiteral("Deleted There")});
  for (const BookState* book : {&first, &second}) {
    ASSERT_EQ(book->RecordCount(), 1);
    EXPECT_EQ(book->Records[0].Company, "Acme");
  }
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
}

TEST_F(SyncTest, KeepingDeletedCardsLeavesTheOtherSidesCopyAlone) {
  BookState book = UnicodeBook();
  AddRecord(book, "Gone Here", "1");
  AddRecord(book, "Gone There", "2");
  SyncState state = StateFor(addressBook);
  state.KeepDeleted = true;
  ASSERT_TRUE(Sync(book, state).Ok);
  const QString gone = QString::fromStdString(book.Records[1].Uid);
  book.Records.erase(book.Records.begin());
  server.Delete(addressBook.resolved(QUrl(gone + QStringLiteral(".vcf"))));
  const SyncResult kept = Sync(book, state);
  ASSERT_TRUE(kept.Ok);
  EXPECT_TRUE(kept.Plan.DeleteHere.isEmpty() && kept.Plan.DeleteOnServer.isEmpty() && kept.Plan.AddOnServer.isEmpty());
  EXPECT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  ASSERT_TRUE(Sync(book, state).Ok);  // and stays so
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
}

// Both sides change the card; the other side is the card as another device stores it.
class SyncConflictTest : public SyncTest {
 protected:
  void SetUp() override {
    SyncTest::SetUp();
    if (IsSkipped()) return;
    state = StateFor(addressBook);
    server.Put(CardUrl("c.vcf"), Card("c", "Linus Pauling", "TEL;TYPE=HOME:100\r\nNOTE:chemist\r\nEMAIL:l@example.org\r\n"));
    const SyncResult first = Sync(book, state);
    ASSERT_TRUE(first.Ok) << first.Message.toStdString();
  }
  void ChangeOnServer(const QByteArray& from, const QByteArray& to) {
    server.Put(CardUrl("c.vcf"), server.Get(CardUrl("c.vcf")).replace(from, to));
  }
  BookState book = UnicodeBook();
  SyncState state;
};

TEST_F(SyncConflictTest, ChangesToDifferentFieldsAreMergedOnBothSides) {
  ChangeOnServer("NOTE:chemist", "NOTE:two Nobel prizes");
  Edit(book, 0, [](AddressRecord& record) { record.Phones[0] = "200"; });
  const SyncResult result = Sync(book, state, {false, [](const FieldConflict&) -> ConflictChoice { ADD_FAILURE() << "asked"; return ConflictChoice::KeepHere; }, {}, {}});
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Plan.Merged, QStringList{QStringLiteral("Linus Pauling")});
  EXPECT_EQ(book.Records[0].Notes, "two Nobel prizes");
  EXPECT_EQ(book.Records[0].Phones[0], "200");
  const QByteArray card = server.Get(CardUrl("c.vcf"));
  EXPECT_TRUE(card.contains("two Nobel prizes") && card.contains(":200") && card.contains("l@example.org")) << card.constData();
}

TEST_F(SyncConflictTest, TheSameFieldIsAskedWithBothValuesOrBothVersionsAreKept) {
  ChangeOnServer("TEL;TYPE=HOME:100", "TEL;TYPE=HOME:300");
  Edit(book, 0, [](AddressRecord& record) { record.Phones[0] = "200"; });
  std::vector<FieldConflict> asked;
  const SyncResult answered = Sync(book, state, {false, [&](const FieldConflict& c) { asked.push_back(c); return ConflictChoice::KeepServer; }, {}, {}});
  ASSERT_TRUE(answered.Ok);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Field, CardField::Phone1);
  EXPECT_EQ(asked[0].Here, QStringLiteral("200 (Home)"));
  EXPECT_EQ(asked[0].Server, QStringLiteral("300 (Home)"));
  EXPECT_EQ(book.Records[0].Phones[0], "300");

  ChangeOnServer("TEL;TYPE=HOME:300", "TEL;TYPE=HOME:400");
  Edit(book, 0, [](AddressRecord& record) { record.Phones[0] = "500"; });
  const SyncResult nobodyAsked = Sync(book, state);  // as on the command line
  ASSERT_TRUE(nobodyAsked.Ok);
  EXPECT_EQ(nobodyAsked.Plan.KeptBoth, QStringList{QStringLiteral("Linus Pauling")});
  ASSERT_EQ(book.RecordCount(), 2);
  EXPECT_EQ(book.Records[0].Phones[0], "400");
  EXPECT_EQ(book.Records[1].Phones[0], "500");
  EXPECT_EQ(server.CardsIn(addressBook).size(), 2);
}

struct PathCase {
  const char* Name;
  bool ForceETags;
};

class SyncPathTest : public SyncTest, public testing::WithParamInterface<PathCase> {};

TEST_P(SyncPathTest, AChangeOnTheServerArrivesAndNothingElseIsFetched) {
  for (int i = 0; i < 5; ++i) server.Put(CardUrl(qPrintable(QStringLiteral("p%1.vcf").arg(i))), Card(qPrintable(QString::number(i)), qPrintable(QStringLiteral("Person %1").arg(i))));
  BookState book = UnicodeBook();
  SyncState state = StateFor(addressBook);
  ASSERT_TRUE(Sync(book, state, {GetParam().ForceETags, {}, {}, {}}).Ok);
  EXPECT_EQ(state.SyncToken.isEmpty(), GetParam().ForceETags);
  server.Put(CardUrl("p3.vcf"), Card("3", "Person Three"));
  const SyncResult result = Sync(book, state, {GetParam().ForceETags, {}, {}, {}});
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Plan.UpdateHere, QStringList{QStringLiteral("Person Three")});
  EXPECT_EQ(requests["PROPFIND"], GetParam().ForceETags ? 1 : 0);
  EXPECT_EQ(requests["REPORT"], GetParam().ForceETags ? 1 : 2);  // the sync report, the multiget of the one changed card
  EXPECT_EQ(requests["PUT"], 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, SyncPathTest,
                         testing::Values(PathCase{"SyncToken", false}, PathCase{"ForcedETags", true}),
                         [](const testing::TestParamInfo<PathCase>& info) { return std::string(info.param.Name); });

TEST_F(SyncTest, AWrongPasswordOrAServerStoppedMidSyncLeavesTheBookAsItWas) {
  BookState book = UnicodeBook();
  for (int i = 0; i < 3; ++i) AddRecord(book, qPrintable(QStringLiteral("Local %1").arg(i)), "1");
  SyncState state = StateFor(addressBook);
  const BookState unchanged = book;
  QtHttpClient wrong(server.User(), QStringLiteral("not the password"));
  CardDavClient client(wrong);
  const SyncResult refused = SyncBook(book, state, client, {});
  EXPECT_FALSE(refused.Ok);
  EXPECT_TRUE(refused.Message.contains(QLatin1String("401"))) << refused.Message.toStdString();
  EXPECT_TRUE(SameContent(book, unchanged));

  triggerMethod = "PUT", triggerAt = 2, trigger = [this] { server.Stop(); };
  const SyncResult stopped = Sync(book, state);
  EXPECT_FALSE(stopped.Ok);
  EXPECT_TRUE(stopped.Message.contains(QLatin1String("could not be reached"))) << stopped.Message.toStdString();
  EXPECT_TRUE(SameContent(book, unchanged));
  EXPECT_TRUE(state.Cards.empty());
  trigger = nullptr;
  ASSERT_TRUE(server.Start());
  const SyncResult again = Sync(book, state);  // picks up where it stopped: no card twice
  ASSERT_TRUE(again.Ok) << again.Message.toStdString();
  EXPECT_EQ(server.CardsIn(addressBook).size(), 3);
  EXPECT_EQ(book.RecordCount(), 3);
}

TEST_F(SyncTest, ACardChangedOnTheServerDuringTheUploadIsFetchedMergedAndStoredAgain) {
  server.Put(CardUrl("r.vcf"), Card("r", "Rosalind Franklin", "TEL:1\r\n"));
  BookState book = UnicodeBook();
  SyncState state = StateFor(addressBook);
  ASSERT_TRUE(Sync(book, state).Ok);
  Edit(book, 0, [](AddressRecord& record) { record.Company = "King's College"; });
  triggerMethod = "PUT", triggerAt = 1;
  trigger = [this] { server.Put(CardUrl("r.vcf"), server.Get(CardUrl("r.vcf")).replace("TEL:1", "TEL:2")); };
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_EQ(requests["PUT"], 2);  // the first met 412
  const QByteArray card = server.Get(CardUrl("r.vcf"));
  EXPECT_TRUE(card.contains("King's College") && card.contains("TEL:2")) << card.constData();
  EXPECT_EQ(book.Records[0].Phones[0], "2");
}

TEST_F(SyncTest, AServerBookBeyondTheRecordLimitIsRefusedBeforeAnythingChanges) {
  server.Put(CardUrl("one.vcf"), Card("one", "One Too Many"));
  BookState book = UnicodeBook();
  for (int i = 0; i < kMaxRecords; ++i) AddRecord(book, "Local", "");
  SyncState state = StateFor(addressBook);
  const SyncResult result = Sync(book, state);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Message.contains(QLatin1String("32767"))) << result.Message.toStdString();
  EXPECT_EQ(requests["PUT"], 0);
  EXPECT_EQ(book.RecordCount(), kMaxRecords);
}

}  // namespace
