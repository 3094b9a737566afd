// Files as the RFCs' examples and the common address book programs write
// them, imported into a new book and checked field by field.
#include <gtest/gtest.h>

#include "core/Document.h"
#include "interchange/AppleLabel.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"
#include "support/CaseNames.h"
#include "support/ImportCheck.h"
#include "support/TestBooks.h"

namespace {

QString Fixture(const char* file) { return QStringLiteral(VANTREO_TEST_DATA_DIR "/interchange/") + file; }

ImportSource Opened(const char* file, CardReading reading = CardReading::AtOnce) {
  ImportSource source;
  PlatformError error;
  EXPECT_EQ(OpenImportSource(Fixture(file), source, error, reading), SourceOutcome::Read) << file;
  return source;
}

ImportPlan PlanFor(const char* file) { return PlanImport(BookWithGroups({}), ContactsOf({Opened(file)}), true); }

struct FixtureRecord {
  const char* File;
  size_t Index;
  KeptRecord Expected;
};

void PrintTo(const FixtureRecord& fixture, std::ostream* out) { *out << fixture.File << " #" << fixture.Index; }

class FixtureRecordTest : public testing::TestWithParam<FixtureRecord> {};

TEST_P(FixtureRecordTest, ImportsEveryField) {
  const BookState book = BookWith(ContactsOf({Opened(GetParam().File)}));
  ASSERT_GT(book.Records.size(), GetParam().Index);
  EXPECT_EQ(Kept(book, book.Records[GetParam().Index]), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Files, FixtureRecordTest, testing::Values(
    FixtureRecord{"rfc2426-examples.vcf", 0, {"Frank Dawson", "Lotus Development Corporation", 0,
        "6544 Battleford Drive\r\nRaleigh, NC 27613-3502\r\nU.S.A.", {{"+1-919-676-9515", "Work"}, {"+1-919-676-9564", "Fax"}},
        {}, "E-mail: Frank_Dawson@Lotus.com\r\nE-mail: fdawson@earthlink.net\r\nWeb: http://home.earthlink.net/~fdawson"}},
    FixtureRecord{"rfc2426-examples.vcf", 2, {"Mr. John Quinlan Public Esq.", "ABC, Inc., North American Division, Marketing", 0,
        "Mr.John Q. Public, Esq.\r\nMail Drop: TNE QB\r\n123 Main Street\r\nAny Town, CA  91921-1234\r\nU.S.A.",
        {{"+1-213-555-1234", "Work"}, {"+1-213-555-1235", "Home"}, {"+1-213-555-1236", "Mobile"}, {"+1-213-555-1238", "Car Phone"}},
        {"TRAVEL AGENT", "INTERNET"}, "This fax number is operational 0800 to 1715\r\n EST, Mon-Fri.\r\nBirthday: 1996-04-15\r\n"
        "Nickname: Robbie\r\nTitle: Director, Research and Development\r\nPhone (Pager): +1-213-555-1237"}},
    FixtureRecord{"rfc6350-examples.vcf", 0, {"Simon Perreault", "Viagenie", 0,
        "Suite D2-630\r\n2875 Laurier\r\nQuebec, QC G1V 2M2\r\nCanada", {{"+1-418-656-9254;ext=102", "Work"}, {"+1-418-262-6501", "Mobile"}},
        {}, "E-mail (Work): simon.perreault@viagenie.ca\r\nWeb (Home): http://nomis80.org\r\nBirthday: --0203\r\n"
        "Anniversary: 20090808T1430-0500\r\nGender: M\r\nLanguage: fr\r\nLanguage: en\r\nLocation (Work): geo:46.772673,-71.282945\r\n"
        "Key (Work): http://www.viagenie.ca/simon.perreault/simon.asc\r\nTime zone: -0500"}},
    FixtureRecord{"rfc6350-examples.vcf", 1, {"John Q. Public", "", 0,
        "Mr. John Q. Public, Esq.\r\nMail Drop: TNE QB\r\n123 Main Street\r\nAny Town, CA  91921-1234\r\nU.S.A.", {}, {},
        "Address (Home): 42 Other Road, Springfield, IL 62701"}},
    FixtureRecord{"rfc6350-examples.vcf", 2, {"ABC Marketing", "ABC, Inc., North American Division, Marketing", 1, "",
        {{"+1-555-555-5555", "Work"}}, {}, ""}},
    FixtureRecord{"outlook-vcard21.vcf", 0, {"Jürgen Müller", "Fabrik GmbH, Einkauf", 0,
        "Hauptstraße 1\r\nHinterhaus\r\n10115 Berlin\r\nDeutschland",
        {{"+49 30 1234567", "Work"}, {"+49 30 7654321", "Home"}, {"+49 170 1234567", "Mobile"}, {"+49 30 1234568", "Fax"}}, {},
        "Lieferant seit 2001.\r\nZahlt pünktlich; immer freundlich.\r\nE-mail: juergen.mueller@example.de\r\n"
        "Phone (Pager): +49 30 1234569"}},
    FixtureRecord{"outlook-vcard21.vcf", 1, {"Anna Lee", "", 0, "", {{"555-0100", "Home"}, {"555-0101", "Fax"}}, {}, ""}},
    FixtureRecord{"outlook-vcard21.vcf", 2, {"Contoso Ltd", "Contoso Ltd", 1, "", {{"555-0199", "Work"}}, {}, ""}},
    FixtureRecord{"apple-contacts.vcf", 0, {"Ivan Petrov", "Roga i kopyta", 0, "ul. Tverskaa 1\r\nMoskva, 125009\r\nRossia",
        {{"+7 495 123-45-67", "Mobile"}, {"+7 495 765-43-21", "Dacha"}, {"+7 495 000-00-01", "Home"}}, {},
        "E-mail (Other): ivan@example.ru"}},
    FixtureRecord{"apple-contacts.vcf", 1, {"", "Lukasz Bakery", 1, "", {{"(555) 010-2000", "Work"}}, {},
        "Web (HomePage): https://bakery.example.com"}},
    FixtureRecord{"google-contacts.csv", 0, {"Lukasz Nowak", "Piekarnia Nowak", 0, "ul. Dluga 5\r\n31-000 Kraków\r\nPolska",
        {{"+48 600 100 200", "Mobile"}, {"+48 600 100 201", "Mobile"}, {"+48 12 300 40 50", "Fax"}}, {"Friends"},
        "Met in Kraków.\r\nE-mail: lukasz@example.pl\r\nBirthday: 1985-03-02\r\nTitle: Baker"}},
    FixtureRecord{"google-contacts.csv", 1, {"", "Acme Corp.", 1, "", {{"555-0199", "Main"}}, {"Suppliers", "Friends"},
        "Web: https://acme.example.com"}},
    FixtureRecord{"outlook.csv", 0, {"Dr. Renée Dubois", "Clinique Saint-Luc, Cardiology", 0,
        "100 Harbor Blvd\r\nSuite 4\r\nBoston, MA 02101\r\nUnited States of America",
        {{"(617) 555-0102", "Fax"}, {"(617) 555-0101", "Work"}, {"(617) 555-0103", "Home"}, {"(617) 555-0104", "Mobile"}},
        {"Doctors", "Family"}, "Prefers mornings.\r\nParking behind the building.\r\nE-mail: renee@example.org\r\n"
        "Phone (Pager): (617) 555-0105\r\nAddress (Home): 12 Elm St, Cambridge, MA 02139"}},
    FixtureRecord{"outlook.csv", 1, {"Bob Hill", "", 0, "", {{"555-0110", "Work"}}, {}, "He said \"call me Bobby\"."}},
    FixtureRecord{"thunderbird.csv", 0, {"Zoë Adams", "Fruit Inc.", 0, "7 Pine Rd\r\nAustin, TX 73301",
        {{"555-0120", "Work"}, {"555-0121", "Home"}, {"555-0122", "Fax"}, {"555-0124", "Mobile"}}, {},
        "Choir, Tuesdays\r\nE-mail: zoe@example.com\r\nNickname: Zo\r\nPhone (Pager): 555-0123\r\n"
        "Address (Work): 1 Infinite Loop, Cupertino, CA 95014, USA\r\nCustom 1: Allergic to nuts"}},
    FixtureRecord{"broken-cards.vcf", 2, {"Good Three", "", 0, "", {}, {}, ""}},
    FixtureRecord{"outlook-german.csv", 0, {"Dr. Jürgen Müller", "Fabrik GmbH, Einkauf", 0, "Hauptstraße 1\r\nBerlin, 10115\r\nDeutschland",
        {{"+49 30 1234567", "Work"}, {"+49 170 1234567", "Mobile"}, {"+49 30 7654321", "Home"}, {"+49 30 1234568", "Fax"}}, {"Lieferanten"}, "Zahlt pünktlich.\r\nE-mail: jm@example.de\r\nTitle: Leiter\r\nPhone (Pager): +49 30 1234569"}},
    FixtureRecord{"outlook-french.csv", 0, {"Mme Amélie Dubois", "Atelier Dubois", 0, "12 rue des Lilas\r\nLyon, 69001\r\nFrance",
        {{"04 72 00 00 01", "Work"}, {"06 12 34 56 78", "Mobile"}, {"04 72 00 00 02", "Fax"}}, {"Clients"}, "Préfère le matin."}},
    FixtureRecord{"outlook-spanish.csv", 0, {"María José de la Cruz", "", 0, "Calle Mayor 3\r\nMadrid, 28013\r\nEspaña",
        {{"91 000 00 01", "Home"}, {"600 000 001", "Mobile"}}, {}, "Vecina"}},
    FixtureRecord{"outlook-italian.csv", 0, {"Giulia Rossi", "Studio Rossi", 0, "Via Roma 10\r\nMilano, 20121",
        {{"02 000001", "Work"}, {"333 0000001", "Mobile"}}, {"Lavoro"}, ""}},
    FixtureRecord{"outlook-dutch.csv", 0, {"Sanne de Vries", "", 0, "Kerkstraat 1\r\nUtrecht, 3511 AA",
        {{"030 000 0001", "Home"}, {"06 00000001", "Mobile"}}, {}, "Buurvrouw"}},
    FixtureRecord{"outlook-portuguese.csv", 0, {"João Silva", "Padaria Silva", 0, "Rua das Flores 5\r\nSão Paulo, 01000-000",
        {{"11 3000-0001", "Work"}, {"11 90000-0001", "Mobile"}}, {}, "Pão às sete"}},
    FixtureRecord{"apple-contacts.csv", 0, {"Tim Apfel", "Orchard Inc.", 0, "1 Orchard Way\r\nCupertino, 95014",
        {{"555-0401", "Mobile"}, {"555-0402", "Work"}, {"555-0403", "Main"}}, {}, "Likes pie"}},
    FixtureRecord{"guessed-headers.csv", 0, {"Karl Klein", "", 0, "Potsdam, 14467",
        {{"0170 0000001", "Mobile"}, {"030 0000001", "<Blank>"}}, {"Freunde"}, "Alter Freund\r\nLieblingsfarbe: Blau"}},
    FixtureRecord{"lenient-cards.vcf", 0, {"Ada Lind", "", 0, "",
        {{"555-0301", "Mobile"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 1, {"Ole Berg", "", 0, "Storgata 5\r\nBakgården\r\nOslo, 0155\r\nNorge",
        {{"555-0302", "Home"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 2, {"Mia Kurz", "", 0, "",
        {{"555-0303", "<Blank>"}}, {}, "Call after six\r\nor on weekends"}},
    FixtureRecord{"lenient-cards.vcf", 3, {"Fred Friday", "", 0, "",
        {{"555-0305", "Work"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 4, {"Big Boss", "", 0, "",
        {{"555-0304", "Work"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 5, {"Pete Aide", "", 0, "",
        {{"555-0307", "Mobile"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 6, {"Carla Chef", "", 0, "",
        {{"555-0306", "Mobile"}}, {}, ""}},
    FixtureRecord{"lenient-cards.vcf", 7, {"Per Lund", "", 0, "Kirkeveien 2\r\nBakgarden\r\nOslo, 0355\r\nNorge", {}, {}, ""}}),
    [](const testing::TestParamInfo<FixtureRecord>& info) {
      return CaseName(QStringLiteral("%1 %2").arg(QString::fromLatin1(info.param.File)).arg(info.param.Index));
    });

TEST(ImportSummaryTest, SkippedCardsWithTheirLinesPicturesAndChangedValues) {
  ImportPlan plan = PlanFor("broken-cards.vcf");
  ASSERT_EQ(plan.Records.size(), 3u);
  EXPECT_EQ(plan.Records[1].Name, "Broken Two");
  std::vector<std::pair<int, QString>> skipped;
  for (const SkippedEntry& entry : plan.Skipped) skipped.emplace_back(entry.Line, entry.Reason);
  EXPECT_EQ(skipped, (std::vector<std::pair<int, QString>>{
                         {6, "has no END:VCARD"}, {12, "is not a property, left out; its card was kept"}, {14, "holds no contact data"},
                         {21, "has no END:VCARD"}}));
  EXPECT_TRUE(ImportSummary(plan).contains("    broken-cards.vcf, line 12: is not a property, left out; its card was kept"));

  plan = PlanFor("apple-contacts.vcf");
  EXPECT_EQ(plan.BinaryValuesSkipped, 1);
  EXPECT_EQ(plan.NewPhoneNames, (std::vector<std::string>{"Mobile", "Dacha"}));
}

TEST(CsvTableTest, RowsWithAnUnclosedQuoteOrTooManyFieldsAreSkippedWithTheirLines) {
  const CsvTable table = ParseCsv("Name;Phone\r\nAnn;1\r\nBob;2;3\r\n\"Cy;4\r\nDi;5\r\n", QStringLiteral("t.csv"));
  EXPECT_EQ(table.Header, (QStringList{"Name", "Phone"}));
  ASSERT_EQ(table.RowCount(), 1);
  EXPECT_EQ(table.Row(0), (QStringList{"Ann", "1"}));
  ASSERT_EQ(table.Skipped.size(), 2u);
  EXPECT_EQ(table.Skipped[0].Line, 3);
  EXPECT_EQ(table.Skipped[1].Reason, "has a quote that is never closed");
}

TEST(DuplicateTest, SameNameAndSamePhoneDigitsOrSameCompany) {
  BookState book = BookWithGroups({});
  AddRecord(book, "Ann Smith", "Acme").Phones[2] = "555-0100";
  AddRecord(book, "Bo Lee").Phones[0] = "555-0200";
  for (const auto& [name, company, phone, duplicate] :
       {std::tuple{"ann  SMITH", "", "(555) 0100", true}, {"AnnSmith", "A c m e", "", true},
        {"Ann Smith", "", "555-0199", false}, {"Anne Smith", "Acme", "555-0100", false}, {"Bo Lee", "", "", false}}) {
    ImportedContact contact;
    contact.Name = QString::fromUtf8(name);
    contact.Company = QString::fromUtf8(company);
    if (*phone) contact.Phones.push_back({QString::fromUtf8(phone), QStringLiteral("Home")});
    const ImportPlan plan = PlanImport(book, ReadResult{{contact}, {}, 0}, true);
    EXPECT_EQ(std::pair(plan.Duplicates.size(), plan.Records.size()), (std::pair<size_t, size_t>(duplicate, !duplicate)))
        << name << " / " << company << " / " << phone;
  }
}

TEST(ImportPlanTest, LimitsOfTheDataFileAndPhoneNamesInAnyLetterCase) {
  BookState book = BookWithGroups({});
  for (int g = 0; g < kMaxGroups - 1; ++g) AddGroup(book, "G" + std::to_string(g));
  book.Records.resize(kMaxRecords - 1);
  ImportedContact contact;
  contact.Name = QStringLiteral("Ann");
  contact.Phones = {{QStringLiteral("1"), QStringLiteral("hOME")}};
  contact.Categories = {QStringLiteral("New"), QStringLiteral("Newer")};
  contact.Note = QString(70000, QLatin1Char('n'));
  const ImportPlan plan = PlanImport(book, ReadResult{{contact, contact}, {}, 0}, false);
  ASSERT_EQ(plan.Records.size(), 1u);
  EXPECT_EQ(plan.NotAddedForRoom, 1);
  EXPECT_EQ(std::pair(plan.Contacts[0].NoRoom, plan.Contacts[1].NoRoom), std::pair(false, true));  // marked in the preview
  EXPECT_EQ(plan.Records[0].Notes.size(), 65535u);
  EXPECT_EQ(plan.Cut.size(), 1u);
  EXPECT_EQ(plan.NewGroups, std::vector<std::string>{"New"});
  EXPECT_EQ(plan.GroupsNotCreated, QStringList{"Newer"});
  EXPECT_EQ(plan.Records[0].Group, kMaxGroups - 1);
  EXPECT_EQ(plan.Records[0].PhoneNameIndex[0], 0);
  EXPECT_TRUE(plan.NewPhoneNames.empty());
}

// A group the full group list cannot take is named once in the summary,
// however many contacts are in it; each of them keeps it in Notes.
TEST(ImportPlanTest, AGroupBeyondTheLimitIsNamedOnceHoweverManyContactsAreInIt) {
  BookState book = BookWithGroups({});
  for (int g = 0; g < kMaxGroups; ++g) AddGroup(book, "G" + std::to_string(g));
  std::vector<ImportedContact> contacts(3);
  for (size_t i = 0; i < contacts.size(); ++i) {
    contacts[i].Name = QStringLiteral("Member %1").arg(i);
    contacts[i].Categories = {QStringLiteral("Choir"), QStringLiteral("Chess")};
  }
  const ImportPlan plan = PlanImport(book, ReadResult{contacts, {}, 0}, false);
  ASSERT_EQ(plan.Records.size(), 3u);
  EXPECT_TRUE(ImportSummary(plan).contains(
      "Groups not created, the book holds at most 250 groups (kept in Notes): Choir, Chess"))
      << ImportSummary(plan).join('\n').toStdString();
  for (const AddressRecord& record : plan.Records) EXPECT_NE(record.Notes.find("Chess"), std::string::npos);
}

// Each LABEL gives the lines of an address of its types of its own: a second
// one of the same types labels the second such address, not the first again.
TEST(VCardLabelTest, LabelsOfTheSameTypesLabelTheirAddressesInTurn) {
  const ReadResult read = ReadVCards("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\n"
                                     "ADR;TYPE=HOME:;;1 Main St;Town;;;\r\nADR;TYPE=HOME:;;2 Side St;Village;;;\r\n"
                                     "LABEL;TYPE=HOME:1 Main Street\\nTown\r\n"
                                     "LABEL;TYPE=HOME:2 Side Street\\nVillage\r\nEND:VCARD\r\n",
                                     QStringLiteral("two-homes.vcf"));
  ASSERT_EQ(read.Contacts.size(), 1u);
  std::vector<QStringList> addresses;
  for (const ContactAddress& address : read.Contacts[0].Addresses) addresses.push_back(address.Lines);
  EXPECT_EQ(addresses, (std::vector<QStringList>{{"1 Main Street", "Town"}, {"2 Side Street", "Village"}}));
}

}  // namespace

TEST(LenientReadingTest, LinesThatAreNoPropertyAreListedAndTheirCardsKept) {
  // The last card's picture goes on over unindented lines, as 2.1 writers do: they are its
  // value, not lines to list.
  const ImportPlan plan = PlanFor("lenient-cards.vcf");
  ASSERT_EQ(plan.Records.size(), 9u);
  EXPECT_EQ(plan.Records[8].Phones[0], "555-0909");
  std::vector<int> lines;
  for (const SkippedEntry& entry : plan.Skipped) lines.push_back(entry.Line);
  EXPECT_EQ(lines, (std::vector<int>{4, 23}));
  EXPECT_TRUE(ImportSummary(plan).contains("    lenient-cards.vcf, line 23: is not a property, left out; its card was kept"));
}

// Cards read while planning (as the command line reads them) give the plan
// cards read at once give: the same records, skipped lines and summary.
class CardReadingTest : public testing::TestWithParam<const char*> {};

TEST_P(CardReadingTest, ReadingWhilePlanningPlansTheSame) {
  const ImportSource atOnce = Opened(GetParam()), whenPlanned = Opened(GetParam(), CardReading::WhenPlanned);
  EXPECT_TRUE(whenPlanned.Cards.Contacts.empty());
  const ImportPlan expected = PlanImport(BookWithGroups({}), std::vector<ImportSource>{atOnce}, true);
  const ImportPlan plan = PlanImport(BookWithGroups({}), std::vector<ImportSource>{whenPlanned}, true);
  ASSERT_FALSE(expected.Records.empty());
  EXPECT_EQ(plan.Records, expected.Records);
  EXPECT_EQ(ImportSummary(plan), ImportSummary(expected));
  EXPECT_EQ(ContactsOf({whenPlanned}).Contacts.size(), atOnce.Cards.Contacts.size());
}

INSTANTIATE_TEST_SUITE_P(Files, CardReadingTest,
                         testing::Values("rfc2426-examples.vcf", "rfc6350-examples.vcf", "outlook-vcard21.vcf",
                                         "apple-contacts.vcf", "lenient-cards.vcf", "broken-cards.vcf"),
                         [](const testing::TestParamInfo<const char*>& info) { return CaseName(QString::fromLatin1(info.param)); });

struct LabelCase {
  const char* Name;
  const char* Written;
  const char* Plain;
};

void PrintTo(const LabelCase& label, std::ostream* out) { *out << label.Name; }

class AppleLabelTest : public testing::TestWithParam<LabelCase> {};

TEST_P(AppleLabelTest, ApplesFormOnOneLineGivesTheName) {
  EXPECT_EQ(PlainLabel(QString::fromUtf8(GetParam().Written)), QString::fromUtf8(GetParam().Plain));
}

INSTANTIATE_TEST_SUITE_P(Labels, AppleLabelTest, testing::Values(
    LabelCase{"AppleForm", "_$!<Mobile>!$_", "Mobile"}, LabelCase{"AppleFormWithBlanks", "  _$!<HomeFAX>!$_ ", "HomeFAX"},
    LabelCase{"AppleFormEmpty", "_$!<>!$_", ""}, LabelCase{"Custom", "Cell #", "Cell #"},
    LabelCase{"CustomWithBlanks", " Boat ", "Boat"}, LabelCase{"NoEnd", "_$!<Mobile", "_$!<Mobile"},
    LabelCase{"EndsOverlapping", "_$!<!$_", "_$!<!$_"}, LabelCase{"TwoLines", "_$!<two\nlines>!$_", "_$!<two\nlines>!$_"},
    LabelCase{"TwoForms", "_$!<A>!$_ and _$!<B>!$_", "A>!$_ and _$!<B"}),
    [](const testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.Name); });
