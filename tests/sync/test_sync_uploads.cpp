// What goes up to the server: only the changed properties inside the card's
// own text, well-formed new cards, and uploads that meet a changed server.
#include "interchange/VCardReader.h"
#include "support/BookInvariants.h"
#include "sync/SyncFixture.h"

namespace {

// The card's lines that start with prefix, each with its CR.
QList<QByteArray> LinesOf(const QByteArray& card, const char* prefix) {
  QList<QByteArray> lines = card.split('\n');
  lines.removeIf([prefix](const QByteArray& line) { return !line.startsWith(prefix); });
  return lines;
}

// A card the book holds, synced once: the test then changes one side or both.
class SyncedCardTest : public SyncTest {
 protected:
  void SetUp() override {
    SyncTest::SetUp();
    if (IsSkipped()) return;
    server.Put(CardUrl("c.vcf"), kCard);
    state = StateFor(addressBook);
    const SyncResult first = Sync(book, state);
    ASSERT_TRUE(first.Ok) << first.Message.toStdString();
    ASSERT_EQ(book.RecordCount(), 1);
    before = book;
  }
  bool SameBook() const { return book.Records == before.Records && book.Groups == before.Groups; }

  static inline const QByteArray kCard =
      "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c\r\nFN:Emmy Noether\r\nN:Noether;Emmy;;;\r\nORG:Erlangen;Mathematics\r\n"
      "TEL;X-EXTRA=kept;TYPE=WORK,VOICE:+49 9131 1\r\nTEL;TYPE=CELL:+49 170 2\r\n"
      "ADR;LABEL=\"Home\";TYPE=HOME:;;Hauptstr. 3;Erlangen;;91054;Germany\r\nNOTE:algebra\r\nEND:VCARD\r\n";
  BookState book = UnicodeBook();
  BookState before;
  SyncState state;
};

struct UnchangedLinesCase {
  const char* Name;
  void (*Change)(AddressRecord&);
  const char* NewText;
  std::vector<const char*> KeptProperties;  // every line of these goes up as the server wrote it
};

class SyncPatchTest : public SyncedCardTest, public testing::WithParamInterface<UnchangedLinesCase> {};

TEST_P(SyncPatchTest, AnEditChangesOnlyItsOwnPropertiesAndLeavesTheOthersTextAsItWas) {
  const QByteArray serverText = server.Get(CardUrl("c.vcf"));  // the server's own spelling of the card
  Edit(book, 0, GetParam().Change);
  const SyncResult up = Sync(book, state);
  ASSERT_TRUE(up.Ok) << up.Message.toStdString();
  ASSERT_EQ(requests["PUT"], 1);
  const QByteArray uploaded = std::find_if(sent.begin(), sent.end(), [](const HttpRequest& r) { return r.Method == "PUT"; })->Body;
  EXPECT_TRUE(uploaded.contains(GetParam().NewText)) << uploaded.constData();
  for (const char* property : GetParam().KeptProperties) {
    const QList<QByteArray> lines = LinesOf(serverText, property);
    EXPECT_FALSE(lines.isEmpty()) << property;
    for (const QByteArray& line : lines) EXPECT_TRUE(uploaded.contains("\n" + line + "\n")) << line.constData() << "\n" << uploaded.constData();
  }
  EXPECT_TRUE(server.Get(CardUrl("c.vcf")).contains(GetParam().NewText));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SyncPatchTest,
    testing::Values(UnchangedLinesCase{"Notes", [](AddressRecord& r) { r.Notes = "rings"; }, "NOTE:rings", {"TEL;", "ADR;", "ORG:", "N:", "FN:"}},
                    UnchangedLinesCase{"Company", [](AddressRecord& r) { r.Company = "Bryn Mawr"; }, "Bryn Mawr", {"TEL;", "ADR;", "NOTE:", "N:"}},
                    UnchangedLinesCase{"Address", [](AddressRecord& r) { r.Address = "Bryn Mawr College\r\nPennsylvania"; },
                                       "Bryn Mawr College", {"TEL;", "ORG:", "NOTE:", "N:", "FN:"}},
                    UnchangedLinesCase{"Phone", [](AddressRecord& r) { r.Phones[1] = "+1 610 3"; }, "+1 610 3",
                                       {"TEL;TYPE=WORK", "ADR;", "ORG:", "NOTE:", "N:", "FN:"}},
                    UnchangedLinesCase{"AddedPhone", [](AddressRecord& r) { r.Phones[2] = "+1 610 4"; }, "+1 610 4", {"TEL;", "ADR;", "NOTE:"}}),
    [](const testing::TestParamInfo<UnchangedLinesCase>& info) { return std::string(info.param.Name); });

TEST_F(SyncTest, ANewCardIsAWellFormedVCardWithItsUidRightAfterTheVersion) {
  BookState book = UnicodeBook();
  AddressRecord& record = AddRecord(book, "Sofia Kovalevskaya", "+46 8 1");
  record.Address = "Stockholm\r\nSweden";
  record.Notes = "first line\r\nsecond line";
  SyncState state = StateFor(addressBook);
  ASSERT_TRUE(Sync(book, state).Ok);
  const auto put = std::find_if(sent.begin(), sent.end(), [](const HttpRequest& r) { return r.Method == "PUT"; });
  ASSERT_NE(put, sent.end());
  const QByteArray& text = put->Body;
  const QList<QByteArray> lines = text.split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0], "BEGIN:VCARD\r");
  EXPECT_EQ(lines[1], "VERSION:3.0\r");
  EXPECT_EQ(lines[2], "UID:" + QByteArray::fromStdString(book.Records[0].Uid) + "\r");
  EXPECT_TRUE(text.endsWith("END:VCARD\r\n"));
  EXPECT_EQ(text.count("\n"), text.count("\r\n")) << "every line ends with CR LF";
  const ReadResult read = ReadVCards(text, QStringLiteral("new.vcf"));
  ASSERT_EQ(read.Contacts.size(), 1u);
  EXPECT_EQ(read.Contacts[0].Name, QStringLiteral("Sofia Kovalevskaya"));
}

// The card is deleted on the server after the sync listed it and before the
// upload: the If-Match upload meets 412, the card is gone, and the record
// goes up again as a new card, so nothing is lost.
TEST_F(SyncedCardTest, AnUploadWhoseCardWasDeletedMeanwhileStoresTheRecordAsANewCard) {
  Edit(book, 0, [](AddressRecord& r) { r.Notes = "invariant theory"; });
  triggerMethod = "PUT", triggerAt = 1, trigger = [this] { server.Delete(CardUrl("c.vcf")); };
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_EQ(requests["PUT"], 2);
  ASSERT_EQ(server.CardsIn(addressBook).size(), 1);
  EXPECT_TRUE(server.Get(CardUrl("c.vcf")).contains("invariant theory"));
  EXPECT_EQ(book.RecordCount(), 1);
  trigger = nullptr;
  const SyncResult next = Sync(book, state);
  ASSERT_TRUE(next.Ok) << next.Message.toStdString();
  EXPECT_TRUE(next.Plan.IsEmpty()) << next.Plan.Summary().join('\n').toStdString();
  EXPECT_EQ(requests["PUT"], 0);
  EXPECT_EQ(book.RecordCount(), 1);
}

TEST_F(SyncedCardTest, ARecordChangedHereWhoseCardWasDeletedOnTheServerGoesUpAgain) {
  Edit(book, 0, [](AddressRecord& r) { r.Notes = "invariant theory"; });
  server.Delete(CardUrl("c.vcf"));
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_TRUE(result.Plan.DeleteHere.isEmpty());
  EXPECT_EQ(book.RecordCount(), 1);
  const QStringList cards = server.CardsIn(addressBook);
  ASSERT_EQ(cards.size(), 1);
  EXPECT_TRUE(server.Get(QUrl(cards[0])).contains("invariant theory"));
  EXPECT_TRUE(Sync(book, state).Plan.IsEmpty());
}

TEST_F(SyncedCardTest, ARecordDeletedHereWhoseCardChangedOnTheServerComesBack) {
  server.Put(CardUrl("c.vcf"), server.Get(CardUrl("c.vcf")).replace("NOTE:algebra", "NOTE:abstract algebra"));
  book.Records.clear();
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_TRUE(result.Plan.DeleteOnServer.isEmpty());
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Notes, "abstract algebra");
  EXPECT_EQ(server.CardsIn(addressBook).size(), 1);
  EXPECT_EQ(BrokenInvariant(book), "");
}

// The card changes on the server after the sync listed it and before its
// deletion goes out: the deletion is refused, and the change comes back here.
TEST_F(SyncedCardTest, ADeletionNeverRemovesACardChangedOnTheServerMeanwhile) {
  book.Records.clear();
  triggerMethod = "DELETE";
  triggerAt = 1;
  trigger = [this] { server.Put(CardUrl("c.vcf"), server.Get(CardUrl("c.vcf")).replace("NOTE:algebra", "NOTE:ideals")); };
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  ASSERT_EQ(server.CardsIn(addressBook).size(), 1);
  EXPECT_TRUE(server.Get(CardUrl("c.vcf")).contains("NOTE:ideals"));
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Notes, "ideals");
}

struct RefusalCase {
  const char* Name;
  int Status;
  const char* Message;
};

class SyncRefusedUploadTest : public SyncedCardTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(SyncRefusedUploadTest, SaysWhyLeavesBothSidesAsTheyWereAndTheNextSyncCatchesUp) {
  server.Put(CardUrl("new.vcf"), Card("new", "Olga Taussky"));
  Edit(book, 0, [](AddressRecord& r) { r.Notes = "rings"; });
  const SyncState stateBefore = state;
  before = book;
  answer = [status = GetParam().Status](const HttpRequest& request) -> std::optional<HttpReply> {
    if (request.Method == "PUT") return HttpReply{status, {}, {}, {}, {}};
    return std::nullopt;
  };
  const SyncResult refused = Sync(book, state);
  EXPECT_FALSE(refused.Ok);
  EXPECT_TRUE(refused.Message.contains(QLatin1String(GetParam().Message))) << refused.Message.toStdString();
  EXPECT_TRUE(SameBook());
  EXPECT_EQ(state.Cards.size(), stateBefore.Cards.size());
  EXPECT_EQ(state.SyncToken, stateBefore.SyncToken);
  EXPECT_TRUE(server.Get(CardUrl("c.vcf")).contains("NOTE:algebra"));
  answer = nullptr;
  const SyncResult again = Sync(book, state);
  ASSERT_TRUE(again.Ok) << again.Message.toStdString();
  EXPECT_EQ(book.RecordCount(), 2);
  EXPECT_TRUE(server.Get(CardUrl("c.vcf")).contains("NOTE:rings"));
}

INSTANTIATE_TEST_SUITE_P(Statuses, SyncRefusedUploadTest,
                         testing::Values(RefusalCase{"AddressBookFull", 507, "full (507)"},
                                         RefusalCase{"ServerError", 500, "failed (500)"},
                                         RefusalCase{"Forbidden", 403, "(403)"}),
                         [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.Name); });

TEST_F(SyncedCardTest, AReplyThatCannotBeReadFailsTheSyncAndChangesNothing) {
  server.Put(CardUrl("new.vcf"), Card("new", "Olga Taussky"));
  answer = [](const HttpRequest& request) -> std::optional<HttpReply> {
    if (request.Method == "REPORT") return HttpReply{207, "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>", {}, {}, {}};
    return std::nullopt;
  };
  const SyncResult result = Sync(book, state);
  EXPECT_FALSE(result.Ok);
  EXPECT_TRUE(result.Message.contains(QLatin1String("could not be read"))) << result.Message.toStdString();
  EXPECT_TRUE(SameBook());
}

TEST_F(SyncedCardTest, ASyncTokenTheServerNoLongerKnowsFallsBackToTheFullListing) {
  ASSERT_FALSE(state.SyncToken.isEmpty());
  state.SyncToken = QStringLiteral("http://radicale.org/ns/sync/forgotten");
  server.Put(CardUrl("c.vcf"), server.Get(CardUrl("c.vcf")).replace("NOTE:algebra", "NOTE:abstract algebra"));
  const SyncResult result = Sync(book, state);
  ASSERT_TRUE(result.Ok) << result.Message.toStdString();
  EXPECT_EQ(book.Records[0].Notes, "abstract algebra");
  EXPECT_EQ(requests["PROPFIND"], 1);
  EXPECT_NE(state.SyncToken, QStringLiteral("http://radicale.org/ns/sync/forgotten"));
  EXPECT_FALSE(state.SyncToken.isEmpty());
}

}  // namespace
