// Which phones an import keeps and under what phone names, files in UTF-16
// without a byte-order mark, Outlook's name columns, line breaks in values
// and the order of a record's groups.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "core/GroupMembership.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"
#include "support/ImportCheck.h"
#include "support/TestBooks.h"

namespace {

// A new book with the contacts of a file of these bytes, opened as File, Import opens it.
BookState ImportedFile(const QString& name, const QByteArray& bytes) {
  QTemporaryDir folder;
  const QString path = folder.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
  file.close();
  ImportSource source;
  PlatformError error;
  EXPECT_EQ(OpenImportSource(path, source, error), SourceOutcome::Read) << path.toStdString();
  return BookWith(ContactsOf({source}));
}

struct Utf16File {
  const char* Name;
  QStringEncoder::Encoding Encoding;
  const char* Text;
};

void PrintTo(const Utf16File& file, std::ostream* out) { *out << file.Name; }

class Utf16WithoutMarkTest : public testing::TestWithParam<Utf16File> {};

TEST_P(Utf16WithoutMarkTest, IsReadAsText) {
  QStringEncoder encoder(GetParam().Encoding, QStringEncoder::Flag::Stateless);  // no byte-order mark
  const QByteArray bytes = encoder.encode(QString::fromUtf8(GetParam().Text));
  ASSERT_NE(bytes.left(2), QByteArray("\xFF\xFE", 2));
  const BookState book = ImportedFile(QString::fromLatin1(GetParam().Name), bytes);
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Name, "Zoë Åse");
  EXPECT_EQ(book.Records[0].Phones[0], "555-0500");
}

constexpr const char* kCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë Åse\r\nTEL:555-0500\r\nEND:VCARD\r\n";
constexpr const char* kTable = "Name,Phone\r\nZoë Åse,555-0500\r\n";

INSTANTIATE_TEST_SUITE_P(Files, Utf16WithoutMarkTest, testing::Values(
    Utf16File{"card-le.vcf", QStringEncoder::Utf16LE, kCard}, Utf16File{"card-be.vcf", QStringEncoder::Utf16BE, kCard},
    Utf16File{"table-le.csv", QStringEncoder::Utf16LE, kTable}, Utf16File{"table-be.csv", QStringEncoder::Utf16BE, kTable}),
    [](const testing::TestParamInfo<Utf16File>& info) { return QString::fromLatin1(info.param.Name).replace('.', '_').replace('-', '_').toStdString(); });

KeptRecord KeptOf(const char* card) {
  const BookState book = BookWith(ReadVCards(card, QStringLiteral("t.vcf")));
  EXPECT_EQ(book.RecordCount(), 1);
  return book.RecordCount() == 1 ? Kept(book, book.Records[0]) : KeptRecord{};
}

std::vector<std::pair<std::string, std::string>> PhonesOf(const char* card) { return KeptOf(card).Phones; }

TEST(PhoneChoiceTest, ThePreferredThenMobileHomeWorkMainOtherFaxPagerWinTheSlots) {
  // Six numbers in the order a Google export writes them: pager, main, home, home fax, mobile, work.
  // The two left over go to Notes in the file's order.
  const KeptRecord six = KeptOf("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Six\r\nTEL;TYPE=PAGER:1\r\nitem1.TEL:2\r\n"
                                "item1.X-ABLabel:_$!<Main>!$_\r\nTEL;TYPE=HOME:3\r\nTEL;TYPE=HOME,FAX:4\r\nTEL;TYPE=CELL:5\r\n"
                                "TEL;TYPE=WORK:6\r\nEND:VCARD\r\n");
  EXPECT_EQ(six.Phones,
            (std::vector<std::pair<std::string, std::string>>{{"2", "Main"}, {"3", "Home"}, {"5", "Mobile"}, {"6", "Work"}}));
  EXPECT_EQ(six.Notes, "Phone (Pager): 1\r\nPhone (Fax): 4");
  // A preferred fax wins over everything and takes the first slot; both home numbers beat the work one.
  EXPECT_EQ(PhonesOf("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Pref\r\nTEL;TYPE=cell:1\r\nTEL;TYPE=home:2\r\nTEL;TYPE=work:3\r\n"
                     "TEL;TYPE=home:4\r\nTEL;TYPE=fax;PREF=1:5\r\nEND:VCARD\r\n"),
            (std::vector<std::pair<std::string, std::string>>{{"5", "Fax"}, {"1", "Mobile"}, {"2", "Home"}, {"4", "Home"}}));
  // An other number and one under a label of its own both beat a fax.
  EXPECT_EQ(PhonesOf("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Five\r\nTEL;TYPE=FAX:1\r\nTEL;TYPE=HOME:2\r\nTEL;TYPE=CELL:3\r\n"
                     "TEL;TYPE=OTHER:4\r\nTEL;X-ABLabel=Boat:5\r\nEND:VCARD\r\n"),
            (std::vector<std::pair<std::string, std::string>>{{"2", "Home"}, {"3", "Mobile"}, {"4", "Other"}, {"5", "Boat"}}));
}

TEST(PhoneChoiceTest, ANumberWithoutATypeHasNoPhoneNameAndOtherOnlyWhereTheFileSaysSo) {
  const BookState book = BookWith(ReadVCards("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Plain\r\nTEL:1\r\nTEL;TYPE=VOICE:2\r\n"
                                             "TEL;TYPE=OTHER:3\r\nEND:VCARD\r\n", QStringLiteral("t.vcf")));
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(Kept(book, book.Records[0]).Phones,
            (std::vector<std::pair<std::string, std::string>>{{"1", "<Blank>"}, {"2", "<Blank>"}, {"3", "Other"}}));
  const ImportPlan plan = PlanImport(BookWithGroups({}), ReadVCards("BEGIN:VCARD\r\nFN:A\r\nTEL:1\r\nEND:VCARD\r\n", {}), true);
  EXPECT_TRUE(plan.NewPhoneNames.empty());
}

struct LineBreakCase {
  const char* Name;
  const char* Property;  // a content line, its value with escaped line breaks
  std::string AddressRecord::*Field;
  const char* Stored;
};

void PrintTo(const LineBreakCase& value, std::ostream* out) { *out << value.Name; }

class LineBreakTest : public testing::TestWithParam<LineBreakCase> {};

// Plain ASCII and other text alike: a line break is the data file's in a
// field of lines, and a blank in a field of one line.
TEST_P(LineBreakTest, IsStoredAsTheFieldHoldsLines) {
  const std::string card = std::string("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\n") + GetParam().Property + "\r\nEND:VCARD\r\n";
  const BookState book = BookWith(ReadVCards(QByteArray::fromStdString(card), QStringLiteral("t.vcf")));
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].*GetParam().Field, GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(Values, LineBreakTest, testing::Values(
    LineBreakCase{"AsciiNote", "NOTE:one\\ntwo\\n\\nthree", &AddressRecord::Notes, "one\r\ntwo\r\n\r\nthree"},
    LineBreakCase{"AccentedNote", "NOTE:Zoë\\nÅse", &AddressRecord::Notes, "Zoë\r\nÅse"},
    LineBreakCase{"AsciiAddress", "LABEL:1 Main St\\nSpringfield", &AddressRecord::Address, "1 Main St\r\nSpringfield"},
    LineBreakCase{"AsciiName", "FN:Ann\\nLee", &AddressRecord::Name, "Ann Lee"},
    LineBreakCase{"AccentedName", "FN:Zoë\\nÅse", &AddressRecord::Name, "Zoë Åse"},
    LineBreakCase{"AsciiCompany", "ORG:Acme\\n\\nWidgets", &AddressRecord::Company, "Acme  Widgets"}),
    [](const testing::TestParamInfo<LineBreakCase>& info) { return std::string(info.param.Name); });

// Outlook's name columns in each language it exports, family name first in the file: the
// record's name is given, middle, family whatever the columns' order.
struct NameColumns {
  const char* Language;
  const char* Header;  // family, given, middle
};

void PrintTo(const NameColumns& columns, std::ostream* out) { *out << columns.Language; }

class LocalisedNameColumnsTest : public testing::TestWithParam<NameColumns> {};

TEST_P(LocalisedNameColumnsTest, MakeTheNameInItsOrder) {
  const BookState book = ImportedFile(QStringLiteral("names.csv"), QByteArray(GetParam().Header) + "\r\nPrado,Ana,Luisa\r\n");
  ASSERT_EQ(book.RecordCount(), 1);
  EXPECT_EQ(book.Records[0].Name, "Ana Luisa Prado");
}

INSTANTIATE_TEST_SUITE_P(Outlook, LocalisedNameColumnsTest, testing::Values(
    NameColumns{"English", "Last Name,First Name,Middle Name"}, NameColumns{"German", "Nachname,Vorname,Weitere Vornamen"},
    NameColumns{"French", "Nom,Prénom,Deuxième prénom"}, NameColumns{"Spanish", "Apellidos,Nombre,Segundo nombre"},
    NameColumns{"Italian", "Cognome,Nome,Secondo nome"}, NameColumns{"Dutch", "Achternaam,Voornaam,Middelste naam"},
    NameColumns{"Portuguese", "Sobrenome,Nome,Segundo nome"}),
    [](const testing::TestParamInfo<NameColumns>& info) { return std::string(info.param.Language); });

// The groups of each record are in the order the window lists them,
// alphabetical, also after later contacts have created more groups.
TEST(GroupChoiceTest, EachRecordsGroupsAreAlphabeticalAsTheyAreCreated) {
  const BookState book = BookWith(ReadVCards("BEGIN:VCARD\r\nFN:A\r\nCATEGORIES:work\r\nEND:VCARD\r\n"
                                             "BEGIN:VCARD\r\nFN:B\r\nCATEGORIES:Club,work,family\r\nEND:VCARD\r\n"
                                             "BEGIN:VCARD\r\nFN:C\r\nCATEGORIES:Work,Zoo,club,Choir\r\nEND:VCARD\r\n",
                                             QStringLiteral("t.vcf")));
  ASSERT_EQ(book.RecordCount(), 3);
  EXPECT_EQ(book.Groups, (std::vector<std::string>{"work", "Club", "family", "Zoo", "Choir"}));
  const auto namesOf = [&book](const AddressRecord& record) {
    std::vector<std::string> names;
    for (const char index : GroupSetOf(record)) names.push_back(book.Groups[static_cast<size_t>(index)]);
    return names;
  };
  EXPECT_EQ(namesOf(book.Records[0]), (std::vector<std::string>{"work"}));
  EXPECT_EQ(namesOf(book.Records[1]), (std::vector<std::string>{"Club", "family", "work"}));
  EXPECT_EQ(namesOf(book.Records[2]), (std::vector<std::string>{"Choir", "Club", "work", "Zoo"}));
}

}  // namespace
