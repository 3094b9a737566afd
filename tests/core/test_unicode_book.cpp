// The two editions of the data file: the windows-1252 mapping of the old
// edition, the Unicode edition byte by byte, conversion between them, and
// what loading makes of damaged Unicode files.
#include <gtest/gtest.h>

#include <set>

#include <QDateTime>
#include <QUuid>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "core/StorableTextValidator.h"
#include "interchange/SingleByteBook.h"
#include "platform/AnsiText.h"
#include "support/BookInvariants.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"

namespace {

using namespace std::string_literals;

std::string I(int value) { return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)}; }
std::string L(uint64_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
std::string T32(const std::string& text) { return L(text.size(), 4) + text; }

// Names in many scripts, as users type them.
const std::vector<std::string> kWorldNames = {
    "Zoë Ångström",      "Łukasz Żółkiewski", "İsmail Işık",   "Γιώργος Παπαδόπουλος", "Иван Петров",
    "דוד כהן",           "محمد علي",          "王小明",         "山田太郎",               "Family 👨‍👩‍👧 Smith",
    "Nguyễn Văn Anh",    "𠜎 Rare Han",       "e\xCC\x81" "clair"};  // the last with a combining accent, as typed

BookState WorldBook() {
  BookState book = BookWithGroups({"Família", "Друзья"});
  book.PhoneNames.push_back("Büro ☎");
  for (const std::string& name : kWorldNames) AddRecord(book, name, "Société " + name).Notes = "Notes\r\n" + name;
  ConvertToUnicode(book);
  book.Records[0].Group = 1;
  return book;
}

TEST(AnsiText, EveryByteIsOneCharacterAndBackAsTheWebDecodesWindows1252) {
  std::string every;
  for (int code = 0; code < 256; ++code) every += static_cast<char>(code);
  const QString text = AnsiToQString(every);
  ASSERT_EQ(text.size(), 256);
  const std::pair<int, char16_t> landmarks[] = {{0, 0},         {0x41, u'A'},  {0x80, u'€'},  {0x81, 0x81},
                                                {0x8D, 0x8D},   {0x8F, 0x8F},  {0x90, 0x90},  {0x92, u'’'},
                                                {0x9D, 0x9D},   {0x9F, u'Ÿ'},  {0xA0, 0xA0},  {0xFF, u'ÿ'}};
  for (const auto& [byte, character] : landmarks) EXPECT_EQ(text[byte].unicode(), character) << byte;
  std::string back;
  EXPECT_TRUE(Utf8ToAnsi(AnsiToUtf8(every), back));
  EXPECT_EQ(back, every);
  EXPECT_EQ(AnsiToUtf8(every), text.toStdString());
  EXPECT_FALSE(Utf8ToAnsi("Łukasz", back));
  EXPECT_FALSE(IsAnsiRepresentable(QStringLiteral("Иван")));
  for (const char16_t outside : {char16_t(0x100), char16_t(0x101), char16_t(0x2123)}) EXPECT_FALSE(IsAnsiRepresentable(QString(QChar(outside))));
}

TEST(UnicodeEdition, AOneRecordBookIsTheFileLayoutByteForByte) {
  BookState book = BookWithGroups({"Друзья"});
  AddRecord(book, "Łukasz", "Ĳssel").Notes = "😀";
  ConvertToUnicode(book);
  AddressRecord& record = book.Records[0];
  record.Uid = "0f8fad5b-d9cb-469f-a165-70867728950e";
  record.ChangedMs = 1765000000123;
  const std::string file =
      "VANTREOU01"s + std::string(8, '\0') + I(book.DefaultPrintAs) + I(0) + I(1) + I(2) + I(3) +
      I(1) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) +  // sort keys
      L(4, 4) + T32("Home") + T32("Work") + T32("Fax") + T32("Car Phone") + L(1, 4) + T32("Друзья") +
      L(0, 4) + L(1, 4) +  // current record, record count
      QUuid(QString::fromStdString(record.Uid)).toRfc4122().toStdString() + L(1765000000123, 8) +
      T32("Łukasz") + T32("Ĳssel") + I(record.PrintAs) + T32("") + I(-1) + T32("") + T32("") + T32("") + T32("") +
      T32("") + I(0) + I(1) + I(2) + I(3) + I(0) + T32("😀");
  PlatformError error;
  EXPECT_EQ(EncodeDocument(book, error).value(), file);
  BookState loaded;
  ASSERT_EQ(DecodeDocument(file, loaded, error), DecodeResult::Ok);
  EXPECT_EQ(std::tie(loaded.Records, loaded.Groups, loaded.PhoneNames), std::tie(book.Records, book.Groups, book.PhoneNames));
  EXPECT_TRUE(loaded.IsUnicode());
}

TEST(UnicodeEdition, WorldNamesLongTextsAndGroupSetsComeBackExactly) {
  BookState book = WorldBook();
  book.Records[1].Notes = std::string(70000, 'n') + "ß";  // longer than the old edition's 65,535
  book.Records[2].Group = kMultipleGroups;
  book.Records[2].MultiGroups = "\1\0"s;
  PlatformError error;
  BookState loaded;
  ASSERT_EQ(DecodeDocument(EncodeDocument(book, error).value(), loaded, error), DecodeResult::Ok);
  EXPECT_EQ(loaded.Records, book.Records);
  EXPECT_EQ(std::tie(loaded.Groups, loaded.PhoneNames), std::tie(book.Groups, book.PhoneNames));
  EXPECT_EQ(BrokenInvariant(loaded), "");
}

TEST(UnicodeEdition, DamagedFilesAreRefused) {
  BookState book = WorldBook();
  PlatformError error;
  const std::string good = EncodeDocument(book, error).value();
  const size_t name = good.find("Zoë");
  std::string badUtf8 = good;
  badUtf8[name + 3] = '\xC3';  // ë's first byte followed by another lead byte
  std::string overlong = good;
  overlong.replace(name, 2, "\xC1\x9A");  // 'Z' in two bytes
  std::string hugeLength = good;
  hugeLength.replace(name - 4, 4, L(0xFFFFFFF0u, 4));
  std::string hugeCount = good;
  hugeCount.replace(good.find("Home") - 8, 4, L(0x7FFFFFFF, 4));
  const std::pair<std::string, std::string> cases[] = {
      {badUtf8, "Text in file is not UTF-8"}, {overlong, "Text in file is not UTF-8"},
      {hugeLength, "Input past end of file"}, {good.substr(0, good.size() - 1), "Input past end of file"},
      {hugeCount, "Invalid list count in file"}};
  for (const auto& [file, why] : cases) {
    BookState loaded;
    EXPECT_EQ(DecodeDocument(file, loaded, error), DecodeResult::Damaged) << why;
    EXPECT_EQ(error.Description, QString::fromStdString(why));
  }
}

TEST(UnicodeEdition, ConversionGivesEachRecordItsOwnIdentifierAndTime) {
  BookState book = PeopleBook(3);
  const qint64 before = QDateTime::currentMSecsSinceEpoch();
  ConvertToUnicode(book);
  std::set<std::string> ids;
  for (const AddressRecord& record : book.Records) {
    EXPECT_FALSE(QUuid::fromString(QString::fromStdString(record.Uid)).isNull());
    EXPECT_GE(record.ChangedMs, before);
    ids.insert(record.Uid);
  }
  EXPECT_EQ(ids.size(), 3u);
  EXPECT_TRUE(book.Dirty && book.IsUnicode());
}

// A record keeps its identifier for life; each change moves its time on.
TEST(UnicodeEdition, AChangeKeepsTheRecordsIdentifierAndMovesItsTimeOn) {
  BookState book = PeopleBook(2);
  ConvertToUnicode(book);
  const AddressRecord before = book.Records[0], other = book.Records[1];
  StampChange(book, book.Records[0]);
  StampChange(book, book.Records[0]);
  EXPECT_EQ(book.Records[0].Uid, before.Uid);
  EXPECT_GT(book.Records[0].ChangedMs, before.ChangedMs);
  EXPECT_EQ(book.Records[1], other);
}

TEST(SingleByteEdition, AUnicodeBookSavedInTheOldFormatListsThenTransliteratesWhatItCannotHold) {
  BookState book = WorldBook();
  book.Records[0].Name = "Zoë Smith";  // fits the old edition
  const QStringList unstorable = UnstorableInSingleByte(book);
  EXPECT_EQ(unstorable.front(), QStringLiteral("Group name: Друзья"));
  EXPECT_TRUE(unstorable.contains(QStringLiteral("Name of record 5: Иван Петров")));
  EXPECT_FALSE(unstorable.contains(QStringLiteral("Name of record 1: Zoë Smith")));
  ConvertToSingleByte(book);
  EXPECT_EQ(std::tuple(book.Records[0].Name, book.Records[4].Name, book.Groups[1]),
            std::tuple("Zoë Smith"s, "Ivan Petrov"s, "Druz'a"s));
  PlatformError error;
  const std::string file = EncodeDocument(book, error).value();
  EXPECT_EQ(file.substr(0, 10), "QUILLBOX00");
  BookState loaded;
  ASSERT_EQ(DecodeDocument(file, loaded, error), DecodeResult::Ok);
  EXPECT_EQ(loaded.Records[0].Name, "Zoë Smith");
}

TEST(SingleByteEdition, TextTheOldFormatCannotHoldIsNeverWrittenAsSomethingElse) {
  BookState book = PeopleBook(1);
  book.Records[0].Name = "Łukasz";
  PlatformError error;
  EXPECT_FALSE(EncodeDocument(book, error).has_value());
  EXPECT_EQ(error.Description, QStringLiteral("The book holds characters that the old data file format cannot store"));
}

TEST(StorableText, GroupAndPhoneNamesTakeEveryCharacterInAUnicodeBookOnly) {
  BookState book = BookWithGroups({});
  const StorableTextValidator validator(book, nullptr);
  int position = 0;
  using enum QValidator::State;
  for (const auto& [name, inOldFormat] : {std::pair{"Друзья", Invalid}, {"家族 👪", Invalid}, {"Zoë", Acceptable}}) {
    QString typed = QString::fromUtf8(name);
    EXPECT_EQ(validator.validate(typed, position), inOldFormat) << name;
  }
  ConvertToUnicode(book);
  for (const char* name : {"Друзья", "家族 👪", "Zoë"}) {
    QString typed = QString::fromUtf8(name);
    EXPECT_EQ(validator.validate(typed, position), Acceptable) << name;
  }
}

}  // namespace
