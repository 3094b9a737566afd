// Files as the RFCs' examples and the common address book programs write
// them, imported into a new book and checked field by field.
#include <gtest/gtest.h>

#include <set>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"
#include "support/ImportCheck.h"

namespace {

using Phones = std::vector<std::pair<std::string, std::string>>;  // number, phone name

struct ExpectedRecord {
  const char* File;
  int Index;
  std::string Name, Company;
  int PrintAs;
  std::string Address;
  Phones NamedPhones;
  std::set<std::string> Groups;
  std::string Notes;
};

void PrintTo(const ExpectedRecord& expected, std::ostream* out) { *out << expected.File << " #" << expected.Index; }

QString Fixture(const char* file) { return QStringLiteral(VANTREO_TEST_DATA_DIR "/interchange/") + file; }

ImportSource Opened(const char* file) {
  ImportSource source;
  PlatformError error;
  EXPECT_EQ(OpenImportSource(Fixture(file), source, error), SourceOutcome::Read) << file;
  return source;
}

ImportPlan PlanFor(const BookState& book, const char* file) { return PlanImport(book, ContactsOf({Opened(file)}), true); }

BookState Imported(const char* file) {
  BookState book;
  NewDocument(book);
  ApplyImport(book, PlanFor(book, file));
  return book;
}

Phones NamedPhonesOf(const BookState& book, const AddressRecord& record) {
  Phones phones;
  for (size_t slot = 0; slot < 4; ++slot)
    if (!record.Phones[slot].empty())
      phones.emplace_back(record.Phones[slot], book.PhoneNames.at(static_cast<size_t>(record.PhoneNameIndex[slot])));
  return phones;
}

std::set<std::string> GroupsOf(const BookState& book, const AddressRecord& record) {
  std::set<std::string> names;
  for (const char g : GroupSetOf(record)) names.insert(book.Groups.at(static_cast<unsigned char>(g)));
  return names;
}

class FixtureRecordTest : public testing::TestWithParam<ExpectedRecord> {};

TEST_P(FixtureRecordTest, ImportsEveryField) {
  const ExpectedRecord& expected = GetParam();
  const BookState book = Imported(expected.File);
  ASSERT_GT(book.RecordCount(), expected.Index);
  const AddressRecord& record = book.Records[static_cast<size_t>(expected.Index)];
  EXPECT_EQ(record.Name, expected.Name);
  EXPECT_EQ(record.Company, expected.Company);
  EXPECT_EQ(record.PrintAs, expected.PrintAs);
  EXPECT_EQ(record.Address, expected.Address);
  EXPECT_EQ(NamedPhonesOf(book, record), expected.NamedPhones);
  EXPECT_EQ(GroupsOf(book, record), expected.Groups);
  EXPECT_EQ(record.Notes, expected.Notes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FixtureRecordTest,
    testing::Values(
        ExpectedRecord{"rfc2426-examples.vcf", 0, "Frank Dawson", "Lotus Development Corporation", 0,
                       "6544 Battleford Drive\r\nRaleigh, NC 27613-3502\r\nU.S.A.",
                       {{"+1-919-676-9515", "Work"}, {"+1-919-676-9564", "Fax"}}, {},
                       "E-mail: Frank_Dawson@Lotus.com\r\nE-mail: fdawson@earthlink.net\r\n"
                       "Web: http://home.earthlink.net/~fdawson"},
        ExpectedRecord{"rfc2426-examples.vcf", 1, "Tim Howes", "Netscape Communications Corp.", 0,
                       "501 E. Middlefield Rd.\r\nMountain View, CA 94043\r\nU.S.A.",
                       {{"+1-415-937-3419", "Work"}, {"+1-415-528-4164", "Fax"}}, {}, "E-mail: howes@netscape.com"},
        ExpectedRecord{"rfc2426-examples.vcf", 2, "Mr. John Quinlan Public Esq.",
                       "ABC, Inc., North American Division, Marketing", 0,
                       "Mr.John Q. Public, Esq.\r\nMail Drop: TNE QB\r\n123 Main Street\r\nAny Town, CA  91921-1234\r\nU.S.A.",
                       {{"+1-213-555-1234", "Work"}, {"+1-213-555-1235", "Home"}, {"+1-213-555-1236", "Mobile"},
                        {"+1-213-555-1237", "Pager"}},
                       {"TRAVEL AGENT", "INTERNET"},
                       "This fax number is operational 0800 to 1715\r\n EST, Mon-Fri.\r\nBirthday: 1996-04-15\r\n"
                       "Nickname: Robbie\r\nTitle: Director, Research and Development\r\n"
                       "Phone (Car Phone): +1-213-555-1238"},
        ExpectedRecord{"rfc6350-examples.vcf", 0, "Simon Perreault", "Viagenie", 0,
                       "Suite D2-630\r\n2875 Laurier\r\nQuebec, QC G1V 2M2\r\nCanada",
                       {{"+1-418-656-9254;ext=102", "Work"}, {"+1-418-262-6501", "Mobile"}}, {},
                       "E-mail (Work): simon.perreault@viagenie.ca\r\nWeb (Home): http://nomis80.org\r\n"
                       "Birthday: --0203\r\nAnniversary: 20090808T1430-0500\r\nGender: M\r\nLanguage: fr\r\n"
                       "Language: en\r\nLocation (Work): geo:46.772673,-71.282945\r\n"
                       "Key (Work): http://www.viagenie.ca/simon.perreault/simon.asc\r\nTime zone: -0500"},
        ExpectedRecord{"rfc6350-examples.vcf", 1, "John Q. Public", "", 0,
                       "Mr. John Q. Public, Esq.\r\nMail Drop: TNE QB\r\n123 Main Street\r\nAny Town, CA  91921-1234\r\nU.S.A.",
                       {}, {}, "Address (Home): 42 Other Road, Springfield, IL 62701"},
        ExpectedRecord{"rfc6350-examples.vcf", 2, "ABC Marketing", "ABC, Inc., North American Division, Marketing", 1,
                       "", {{"+1-555-555-5555", "Work"}}, {}, ""},
        ExpectedRecord{"outlook-vcard21.vcf", 0, "J\xFCrgen M\xFCller", "Fabrik GmbH, Einkauf", 0,
                       "Hauptstra\xDF" "e 1\r\nHinterhaus\r\n10115 Berlin\r\nDeutschland",
                       {{"+49 30 1234567", "Work"}, {"+49 30 7654321", "Home"}, {"+49 170 1234567", "Mobile"},
                        {"+49 30 1234568", "Fax"}},
                       {},
                       "Lieferant seit 2001.\r\nZahlt p\xFCnktlich; immer freundlich.\r\n"
                       "E-mail: juergen.mueller@example.de\r\nPhone (Pager): +49 30 1234569"},
        ExpectedRecord{"outlook-vcard21.vcf", 1, "Anna Lee", "", 0, "", {{"555-0100", "Home"}, {"555-0101", "Fax"}}, {}, ""},
        ExpectedRecord{"apple-contacts.vcf", 0, "Ivan Petrov", "Roga i kopyta", 0,
                       "ul. Tverskaa 1\r\nMoskva, 125009\r\nRossia",
                       {{"+7 495 123-45-67", "Mobile"}, {"+7 495 765-43-21", "Dacha"}, {"+7 495 000-00-01", "Home"}},
                       {}, "E-mail (Other): ivan@example.ru"},
        ExpectedRecord{"apple-contacts.vcf", 1, "Lukasz Bakery", "Lukasz Bakery", 1, "", {{"(555) 010-2000", "Work"}},
                       {}, "Web (HomePage): https://bakery.example.com"},
        ExpectedRecord{"google-contacts.csv", 0, "Lukasz Nowak", "Piekarnia Nowak", 0,
                       "ul. Dluga 5\r\n31-000 Krak\xF3w\r\nPolska",
                       {{"+48 600 100 200", "Mobile"}, {"+48 600 100 201", "Mobile"}, {"+48 12 300 40 50", "Fax"}},
                       {"Friends"},
                       "Met in Krak\xF3w.\r\nE-mail: lukasz@example.pl\r\nBirthday: 1985-03-02\r\nTitle: Baker"},
        ExpectedRecord{"google-contacts.csv", 1, "", "Acme Corp.", 1, "", {{"555-0199", "Other"}},
                       {"Suppliers", "Friends"}, "Web: https://acme.example.com"},
        ExpectedRecord{"outlook.csv", 0, "Dr. Ren\xE9" "e Dubois", "Clinique Saint-Luc, Cardiology", 0,
                       "100 Harbor Blvd\r\nSuite 4\r\nBoston, MA 02101\r\nUnited States of America",
                       {{"(617) 555-0102", "Fax"}, {"(617) 555-0101", "Work"}, {"(617) 555-0103", "Home"},
                        {"(617) 555-0104", "Mobile"}},
                       {"Doctors", "Family"},
                       "Prefers mornings.\r\nParking behind the building.\r\nE-mail: renee@example.org\r\n"
                       "Phone (Pager): (617) 555-0105\r\nAddress (Home): 12 Elm St, Cambridge, MA 02139"},
        ExpectedRecord{"outlook.csv", 1, "Bob Hill", "", 0, "", {{"555-0110", "Work"}}, {},
                       "He said \"call me Bobby\"."},
        ExpectedRecord{"thunderbird.csv", 0, "Zo\xEB" " Adams", "Fruit Inc.", 0, "7 Pine Rd\r\nAustin, TX 73301",
                       {{"555-0120", "Work"}, {"555-0121", "Home"}, {"555-0122", "Fax"}, {"555-0123", "Pager"}}, {},
                       "Choir, Tuesdays\r\nE-mail: zoe@example.com\r\nNickname: Zo\r\nPhone (Mobile): 555-0124\r\n"
                       "Address (Work): 1 Infinite Loop, Cupertino, CA 95014, USA\r\nCustom 1: Allergic to nuts"},
        ExpectedRecord{"broken-cards.vcf", 1, "Good Three", "", 0, "", {}, {}, ""}));

TEST(FixtureSummaryTest, BrokenCardsAreSkippedWithTheirLinesAndTheRestIsImported) {
  BookState book;
  NewDocument(book);
  const ImportPlan plan = PlanFor(book, "broken-cards.vcf");
  ASSERT_EQ(plan.Records.size(), 2u);
  EXPECT_EQ(plan.Records[0].Name, "Good One");
  std::vector<std::pair<int, QString>> skipped;
  for (const SkippedEntry& entry : plan.Skipped) skipped.emplace_back(entry.Line, entry.Reason);
  EXPECT_EQ(skipped, (std::vector<std::pair<int, QString>>{{6, "has no END:VCARD"},
                                                            {9, "line 12 is not a property"},
                                                            {14, "holds no contact data"},
                                                            {21, "has no END:VCARD"}}));
  EXPECT_TRUE(ImportSummary(plan).contains("    broken-cards.vcf, line 9: line 12 is not a property"));
}

TEST(FixtureSummaryTest, PicturesAreCountedAndChangedValuesListed) {
  BookState book;
  NewDocument(book);
  const ImportPlan plan = PlanFor(book, "apple-contacts.vcf");
  EXPECT_EQ(plan.BinaryValuesSkipped, 1);
  EXPECT_EQ(plan.NewPhoneNames, (std::vector<std::string>{"Mobile", "Dacha"}));
  ASSERT_FALSE(plan.Transliterated.empty());
  EXPECT_EQ(plan.Transliterated[0].Before, QStringLiteral("Иван Петров"));
  EXPECT_EQ(plan.Transliterated[0].After, QStringLiteral("Ivan Petrov"));
  EXPECT_TRUE(ImportSummary(plan).contains(QStringLiteral("    Иван Петров, Name: \"Иван Петров\" → \"Ivan Petrov\"")));
}

TEST(CsvMappingTest, UnknownColumnsGoToNotesUntilTheUserMapsThem) {
  ImportSource source = Opened("spreadsheet-unicode.txt");
  ASSERT_EQ(source.Format, ImportFormat::Csv);
  EXPECT_EQ(ColumnsToMap(source.Table, source.Columns), (std::vector<int>{0, 1, 2, 3, 4}));
  BookState book;
  NewDocument(book);
  EXPECT_EQ(PlanImport(book, ContactsOf({source}), true).Records[0].Notes,
            "Vorname: J\xFCrgen\r\nNachname: Wei\xDF\r\nFirma: Stra\xDF" "enbau AG\r\nTelefon privat: 030 111 222\r\nOrt: K\xF6ln");

  source.Columns[0].Field = CsvField::GivenName;
  source.Columns[1].Field = CsvField::FamilyName;
  source.Columns[2].Field = CsvField::Company;
  source.Columns[3] = {CsvField::Phone, 0, QStringLiteral("Home")};
  source.Columns[4].Field = CsvField::City;
  const AddressRecord record = PlanImport(book, ContactsOf({source}), true).Records[0];
  EXPECT_EQ(record.Name, "J\xFCrgen Wei\xDF");
  EXPECT_EQ(record.Company, "Stra\xDF" "enbau AG");
  EXPECT_EQ(record.Phones[0], "030 111 222");
  EXPECT_EQ(record.PhoneNameIndex[0], 0);
  EXPECT_EQ(record.Address, "K\xF6ln");
  EXPECT_EQ(record.Notes, "");
}

struct DuplicateCase {
  const char* Name;
  const char* Company;
  const char* Phone;
  bool Duplicate;
};

class DuplicateTest : public testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateTest, SameNameAndSamePhoneDigitsOrSameCompany) {
  BookState book;
  NewDocument(book);
  book.Records.emplace_back();
  book.Records[0].Name = "Ann Smith";
  book.Records[0].Company = "Acme";
  book.Records[0].Phones[2] = "555-0100";
  ImportedContact contact;
  contact.Name = QString::fromUtf8(GetParam().Name);
  contact.Company = QString::fromUtf8(GetParam().Company);
  if (*GetParam().Phone) contact.Phones.push_back({QString::fromUtf8(GetParam().Phone), QStringLiteral("Home")});
  const ImportPlan plan = PlanImport(book, ReadResult{{contact}, {}, 0}, true);
  EXPECT_EQ(plan.Duplicates.size(), GetParam().Duplicate ? 1u : 0u);
  EXPECT_EQ(plan.Records.size(), GetParam().Duplicate ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Contacts, DuplicateTest,
                         testing::Values(DuplicateCase{"ann  SMITH", "", "(555) 0100", true},
                                         DuplicateCase{"AnnSmith", "A c m e", "", true},
                                         DuplicateCase{"Ann Smith", "", "555-0199", false},
                                         DuplicateCase{"Anne Smith", "Acme", "555-0100", false}));

TEST(ImportLimitsTest, WhatTheDataFileCannotHoldIsCutOrKeptInNotesAndListed) {
  BookState book;
  NewDocument(book);
  for (int g = 0; g < kMaxGroups - 1; ++g) AddGroup(book, "G" + std::to_string(g));
  book.Records.resize(kMaxRecords - 1);
  ImportedContact contact;
  contact.Name = QStringLiteral("Ann");
  contact.Note = QString(70000, QLatin1Char('n'));
  contact.Categories = {QStringLiteral("New"), QStringLiteral("Newer")};
  const ImportPlan plan = PlanImport(book, ReadResult{{contact, contact}, {}, 0}, false);
  ASSERT_EQ(plan.Records.size(), 1u);
  EXPECT_EQ(plan.NotAddedForRoom, 1);
  EXPECT_EQ(plan.Records[0].Notes.size(), 65535u);
  EXPECT_EQ(plan.Cut.size(), 1u);
  EXPECT_EQ(plan.NewGroups, std::vector<std::string>{"New"});
  EXPECT_EQ(plan.GroupsNotCreated, QStringList{"Newer"});
  EXPECT_EQ(plan.Records[0].Group, kMaxGroups - 1);
}

TEST(ImportSourceTest, FilesThatAreNeitherAreRefused) {
  ImportSource source;
  PlatformError error;
  EXPECT_EQ(OpenImportSource(QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus/two-records.dat"), source, error),
            SourceOutcome::NotContacts);
  EXPECT_EQ(OpenImportSource(Fixture("missing.vcf"), source, error), SourceOutcome::Unreadable);
}

}  // namespace
