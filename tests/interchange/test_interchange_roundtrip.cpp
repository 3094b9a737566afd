// The vCard writer: cards as other programs read them, and the property that
// a book exported as vCard and imported into a new book gives the same records.
#include <gtest/gtest.h>

#include <random>

#include <QDir>
#include <QFile>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/PersonalName.h"
#include "interchange/VCardWriter.h"
#include "platform/AnsiText.h"
#include "support/CaseNames.h"
#include "support/ImportCheck.h"
#include "support/TestBooks.h"

namespace {

// Characters of other scripts (in NFC, as the book stores them) that a
// Unicode book holds beside windows-1252's.
const std::vector<std::string> kOtherScripts = {"Ł", "ı", "İ", "Ω", "ж", "א", "ع", "中", "あ", "한", "😀", "𠜎", "ǅ", "ẞ"};

class BookGenerator {
 public:
  BookGenerator(unsigned seed, BookEdition edition) : random_(seed), edition_(edition) {}

  // Any windows-1252 character but the line breaks (and in a Unicode book
  // others too), starting with a letter so that no value is only blanks.
  std::string Text(int longest) {
    std::string text(1, static_cast<char>('A' + Below(26)));
    for (int i = Below(longest); i > 0; --i) {
      if (edition_ == BookEdition::Unicode && Below(3) == 0) {
        text += kOtherScripts[static_cast<size_t>(Below(static_cast<int>(kOtherScripts.size())))];
        continue;
      }
      char byte;
      do byte = static_cast<char>(Below(256));
      while (byte == '\r' || byte == '\n');
      text += AnsiToUtf8(std::string(1, byte));
    }
    return text;
  }

  // Lines joined by CR LF, some of them empty, sometimes ending in a line break.
  std::string Lines() {
    std::string lines;
    for (int i = Below(4); i >= 0; --i) lines += (Below(5) == 0 ? std::string() : Text(30)) + (i > 0 ? "\r\n" : "");
    return Below(4) == 0 ? lines + "\r\n" : lines;
  }

  // A name unlike (in any letter case) every name already in the list; as
  // names are taken without blanks at their ends, it ends in none.
  std::string NewName(const std::vector<std::string>& names) {
    const auto folded = [](const std::string& name) { return QString::fromStdString(name).toCaseFolded(); };
    std::string name;
    do name = QString::fromStdString(Text(12)).trimmed().toStdString();
    while (std::any_of(names.begin(), names.end(), [&](const std::string& other) { return folded(other) == folded(name); }));
    return name;
  }

  BookState Book() {
    BookState book = BookWithGroups({});
    book.Edition = edition_;
    for (int g = Below(6); g > 0; --g) AddGroup(book, NewName(book.Groups));
    for (int p = Below(4); p > 0; --p) AddPhoneName(book, NewName(book.PhoneNames));
    for (int r = 1 + Below(30); r > 0; --r) {
      AddressRecord& record = AddRecord(book, Text(20));
      record.PrintAs = static_cast<int16_t>(Below(2));
      if (record.PrintAs == kPrintAsBusiness && Below(4) == 0) record.Name.clear();
      if (Below(2)) record.Company = Text(20);
      record.Address = Lines();
      record.Notes = Lines();
      for (size_t slot = 0; slot < 4; ++slot) {
        if (Below(4) == 0) continue;
        record.Phones[slot] = Text(15);
        // some numbers without a phone name ("<Blank>")
        record.PhoneNameIndex[slot] = static_cast<int16_t>(Below(5) == 0 ? -1 : Below(book.PhoneNameCount()));
      }
      std::string groups;
      for (int g = 0; g < book.GroupCount(); ++g)
        if (Below(3) == 0) groups += static_cast<char>(g);
      StoreGroupSet(record, groups);
    }
    return book;
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::mt19937 random_;
  BookEdition edition_;
};

class RoundTripTest : public testing::TestWithParam<std::tuple<VCardVersion, BookEdition>> {};

TEST_P(RoundTripTest, GeneratedBooksComeBackAsTheyWere) {
  const auto [version, edition] = GetParam();
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const BookState book = BookGenerator(seed, edition).Book();
    EXPECT_EQ(RoundTripDifference(book, ImportedBook(WriteVCards(book, AllRecords(book), version), edition)), "")
        << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(VersionsAndEditions, RoundTripTest,
                         testing::Combine(testing::Values(VCardVersion::V3, VCardVersion::V4),
                                          testing::Values(BookEdition::SingleByte, BookEdition::Unicode)),
                         [](const testing::TestParamInfo<RoundTripTest::ParamType>& info) {
                           return std::string(std::get<0>(info.param) == VCardVersion::V3 ? "vCard3" : "vCard4") +
                                  (std::get<1>(info.param) == BookEdition::Unicode ? "UnicodeBook" : "OldFormatBook");
                         });

TEST(VCardWriterTest, CardsAsOtherProgramsReadThem) {
  BookState book = BookWithGroups({"Family", "Club"});
  AddPhoneName(book, "Dacha");
  AddressRecord& anne = AddRecord(book, "Anne Mary Brown", "Café; Bar");
  anne.Address = "12 Elm St\r\nSpringfield, IL 62701-1234\r\nUSA";
  anne.Phones = {"555-0100", "", "555-0102", "555-0104"};
  anne.PhoneNameIndex[2] = -1;
  anne.PhoneNameIndex[3] = 4;
  StoreGroupSet(anne, std::string("\x01\x00", 2));
  AddRecord(book, "Acme, Inc.", "Acme").PrintAs = kPrintAsBusiness;
  AddRecord(book, "", "Widgets \"Ltd\"").PrintAs = kPrintAsBusiness;
  AddRecord(book, "Dr. María José de la Cruz Jr.").Address = "Unit 3\\B\r\n1 \"Main\" St^";
  EXPECT_EQ(WriteVCards(book, {0}, VCardVersion::V3),
            "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Vantreo//Vantreo 1.02//EN\r\nFN:Anne Mary Brown\r\n"
            "N:Brown;Anne Mary;;;\r\nORG:Caf\xC3\xA9\\; Bar\r\nADR;TYPE=HOME:;;12 Elm St;Springfield;IL;62701-1234;USA\r\n"
            "LABEL;TYPE=HOME:12 Elm St\\nSpringfield\\, IL 62701-1234\\nUSA\r\nTEL;TYPE=HOME:555-0100\r\n"
            "TEL:555-0102\r\nTEL;X-ABLabel=\"Dacha\":555-0104\r\nCATEGORIES:Club,Family\r\nEND:VCARD\r\n");
  EXPECT_EQ(WriteVCards(book, {1, 2}, VCardVersion::V4),
            "BEGIN:VCARD\r\nVERSION:4.0\r\nPRODID:-//Vantreo//Vantreo 1.02//EN\r\nKIND:org\r\nFN:Acme\\, Inc.\r\n"
            "N:;;;;\r\nORG:Acme\r\nX-ABShowAs:COMPANY\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:4.0\r\nPRODID:-//Vantreo//Vantreo 1.02//EN\r\nKIND:org\r\nFN:Widgets \"Ltd\"\r\n"
            "N:;;;;\r\nORG:Widgets \"Ltd\"\r\nX-ABShowAs:COMPANY\r\nEND:VCARD\r\n");
  const std::string cruz = WriteVCards(book, {3}, VCardVersion::V4);
  EXPECT_NE(cruz.find("\r\nN:de la Cruz;Mar\xC3\xAD" "a Jos\xC3\xA9;;Dr.;Jr.\r\n"), std::string::npos) << cruz;
  EXPECT_NE(cruz.find(";LABEL=\"Unit 3\\B^n1 ^'Main^' St^^\":"), std::string::npos) << cruz;
}

struct HonorificCase {
  const char* Name;
  NameParts Expected;
};

void PrintTo(const HonorificCase& c, std::ostream* out) { *out << c.Name; }

class NamePartsTest : public testing::TestWithParam<HonorificCase> {};

TEST_P(NamePartsTest, HonorificsAndParticlesGoToTheirParts) {
  const NameParts parts = SplitName(QString::fromUtf8(GetParam().Name));
  const NameParts& expected = GetParam().Expected;
  EXPECT_EQ(std::tie(parts.Prefix, parts.Given, parts.Family, parts.Suffix),
            std::tie(expected.Prefix, expected.Given, expected.Family, expected.Suffix));
}

INSTANTIATE_TEST_SUITE_P(Names, NamePartsTest, testing::Values(
    HonorificCase{"John Smith", {"Smith", "John", "", ""}},
    HonorificCase{"Smith, John", {"Smith", "John", "", ""}},
    HonorificCase{"John Smith, Jr.", {"Smith", "John", "", "Jr."}},
    HonorificCase{"Mrs. Jane Doe", {"Doe", "Jane", "Mrs.", ""}},
    HonorificCase{"Prof. Dr. Hans Meier PhD", {"Meier", "Hans", "Prof. Dr.", "PhD"}},
    HonorificCase{"Ms Ann Lee III", {"Lee", "Ann", "Ms", "III"}},
    HonorificCase{"Ludwig van Beethoven", {"van Beethoven", "Ludwig", "", ""}},
    HonorificCase{"Dr. María José de la Cruz Jr.", {"de la Cruz", "María José", "Dr.", "Jr."}},
    HonorificCase{"Cher", {"Cher", "", "", ""}},
    HonorificCase{"Dr.", {"Dr.", "", "", ""}}),
    [](const testing::TestParamInfo<HonorificCase>& info) { return CaseName(QString::fromUtf8(info.param.Name)); });

TEST(VCardWriterTest, LinesAreFoldedAtSeventyFiveOctetsWithoutSplittingACharacter) {
  BookState book = BookWithGroups({});
  AddRecord(book, "x" + QString(40, QChar(0xE9)).toStdString()).Notes = std::string(200, 'n');  // é takes two octets in UTF-8
  const QByteArray text = QByteArray::fromStdString(WriteVCards(book, AllRecords(book), VCardVersion::V3));
  const auto e = [](int count) { return QString(count, QChar(0xE9)).toUtf8(); };
  EXPECT_TRUE(text.contains("\r\nFN:x" + e(35) + "\r\n " + e(5) + "\r\n"));
  for (const QByteArray& line : text.split('\n')) EXPECT_LE(line.size(), 76) << line.constData();
}

// The inputs the fuzzers found, kept and replayed: each must import soundly.
TEST(FuzzCorpusTest, EveryKeptInputImportsIntoASoundBookAndSurvivesTheRoundTrip) {
  for (const auto& [folder, format] : {std::pair{"vcard-corpus", ImportFormat::VCard}, {"csv-corpus", ImportFormat::Csv}}) {
    const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR "/") + QLatin1String(folder));
    const QStringList inputs = corpus.entryList(QDir::Files);
    ASSERT_FALSE(inputs.isEmpty()) << folder;
    for (const QString& input : inputs) {
      QFile file(corpus.filePath(input));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      EXPECT_EQ(CheckImportOf(file.readAll(), format), "") << input.toStdString();
    }
  }
}

}  // namespace
