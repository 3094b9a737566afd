// The data file byte by byte, and what loading makes of files that are
// damaged, refused or missing.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "support/BookInvariants.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

using namespace std::string_literals;
using Slots = std::array<int16_t, 4>;

// The file layout's two building blocks: a little-endian 16-bit integer,
// and a text after its 16-bit length.
std::string I(int value) { return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)}; }
std::string T(const std::string& text) { return I(static_cast<int>(text.size())) + text; }

std::string EveryByte() {
  std::string bytes;
  for (int code = 0; code < 256; ++code) bytes += static_cast<char>(code);
  return bytes;
}

const std::string kNewBookHeader = "QUILLBOX00"s + std::string(8, '\0') + I(0) + I(0) + I(1) + I(2) + I(3) +
                                   I(1) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) +
                                   I(4) + T("Home") + T("Work") + T("Fax") + T("Car Phone");
// The file of a new, unchanged book: 88 bytes.
const std::string kNewBookFile = kNewBookHeader + I(0) + I(0) + I(0);

// A book in which no two fields of a record hold the same value, so that
// a field written or read in another's place shows.
BookState DistinctBook() {
  BookState book;
  NewDocument(book);
  book.PhoneNames = {"Home", "Work", "Fax", "Car Phone", "Pager", "Cell"};
  book.Groups = {"Family", "Club", "Choir"};
  book.DefaultPrintAs = kPrintAsBusiness;
  book.DefaultPhoneNames = {2, -1, 5, 0};
  book.Keys = {SortKey{kSortCompany, 1, 0, 1}, SortKey{kSortNotes, 0, 1, 0}, SortKey{kSortGroup, 0, 0, 1}};
  AddressRecord full{"Ann Lee", "Lee & Co", kPrintAsBusiness, "1 Main St\r\nTown", kMultipleGroups, "\0\2"s,
                     {"555-0100", "555-0101", "", "555-0103"}, {5, 4, -1, 2}, 3, EveryByte()};
  AddressRecord empty{"", "", kPrintAsPerson, "", kNoGroup, "", {}, {-1, -1, -1, -1}, 0, ""};
  book.Records = {full, empty};
  book.CurrentRecord = 1;
  return book;
}

// DistinctBook() written out from the file layout, field by field.
const std::string kDistinctBookFile =
    "QUILLBOX00"s + std::string(8, '\0') + I(1) + I(2) + I(-1) + I(5) + I(0) +   // print-as, default phone names
    I(2) + I(1) + I(0) + I(1) + I(5) + I(0) + I(1) + I(0) + I(4) + I(0) + I(0) + I(1) +  // sort keys
    I(6) + T("Home") + T("Work") + T("Fax") + T("Car Phone") + T("Pager") + T("Cell") +
    I(3) + T("Family") + T("Club") + T("Choir") + I(1) + I(2) +                 // current record, record count
    T("Ann Lee") + T("Lee & Co") + I(1) + T("1 Main St\r\nTown") + I(-2) + T("\0\2"s) +
    T("555-0100") + T("555-0101") + T("") + T("555-0103") + I(5) + I(4) + I(-1) + I(2) + I(3) + T(EveryByte()) +
    T("") + T("") + I(0) + T("") + I(-1) + T("") + T("") + T("") + T("") + T("") + I(-1) + I(-1) + I(-1) + I(-1) +
    I(0) + T("");

void ExpectSameBook(const BookState& actual, const BookState& expected) {
  EXPECT_EQ(actual.Records, expected.Records);
  EXPECT_EQ(actual.CurrentRecord, expected.CurrentRecord);
  EXPECT_EQ(actual.Groups, expected.Groups);
  EXPECT_EQ(actual.PhoneNames, expected.PhoneNames);
  EXPECT_EQ(actual.DefaultPhoneNames, expected.DefaultPhoneNames);
  EXPECT_EQ(actual.DefaultPrintAs, expected.DefaultPrintAs);
  EXPECT_EQ(actual.Keys, expected.Keys);
}

class DataFileTest : public testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  const std::vector<std::pair<MessageKind, QString>>& Shown() const { return Fakes().messages.shown; }

  QTemporaryDir dir;
  const QString path = PathOf("book.dat");
};

TEST_F(DataFileTest, SavedBytesAreTheFileLayoutAndLoadBackAsTheBook) {
  BookState newBook;
  NewDocument(newBook);
  ASSERT_EQ(kNewBookFile.size(), 88u);
  for (const auto& [book, file] : {std::pair{newBook, kNewBookFile}, std::pair{DistinctBook(), kDistinctBookFile}}) {
    BookState saved = book;
    saved.FileName = path;
    saved.Dirty = true;
    WriteBytes(path, std::string(6000, 'x'));  // an older, longer file leaves no tail behind
    SaveDocument(saved);
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_FALSE(saved.Dirty);

    WriteBytes(path, file + "bytes after the last record are ignored");
    BookState loaded = BookWithGroups({"Stale"});
    AddRecord(loaded, "Stale");
    loaded.Dirty = true;
    LoadDocument(loaded, path);
    ExpectSameBook(loaded, book);
    EXPECT_EQ(loaded.FileName, path);
    EXPECT_FALSE(loaded.Dirty);
  }
  EXPECT_TRUE(Shown().empty());
}

TEST(DecodeDocument, CountsAndLengthsTheFileCannotHoldAreRefused) {
  const size_t groupCount = kNewBookHeader.size();
  const auto patched = [](size_t offset, int value) { return std::string(kNewBookFile).replace(offset, 2, I(value)); };
  std::string groups;
  for (int i = 0; i < 250; ++i) groups += T("G");
  const std::pair<std::string, DecodeResult> cases[] = {
      {"", DecodeResult::Damaged},
      {"QUILL", DecodeResult::Damaged},
      {"NOTABOOK00", DecodeResult::NotADataFile},
      {"QuillBox00" + kNewBookFile.substr(10), DecodeResult::NotADataFile},
      {kNewBookFile.substr(0, 87), DecodeResult::Damaged},
      {patched(52, 0), DecodeResult::Damaged},               // no phone names
      {patched(groupCount, -3), DecodeResult::Damaged},      // groups
      {patched(groupCount + 4, -1), DecodeResult::Damaged},  // records
      {patched(groupCount + 4, 32767), DecodeResult::Damaged},
      {kNewBookHeader + I(250) + groups + I(0) + I(0), DecodeResult::Ok},
      {kNewBookHeader + I(251) + groups + T("G") + I(0) + I(0), DecodeResult::Damaged},
  };
  for (const auto& [file, expected] : cases) {
    BookState book;
    PlatformError error;
    EXPECT_EQ(DecodeDocument(file, book, error), expected) << testing::PrintToString(file.substr(0, 90));
  }
}

TEST(DecodeDocument, ValuesOutsideTheirListsAreMended) {
  BookState book = DistinctBook();
  book.CurrentRecord = 2;
  book.DefaultPrintAs = 2;
  book.DefaultPhoneNames = {6, -2, 5, 0};
  book.Keys[0] = {9, 5, 0, -1};  // a sort field out of range is kept: sorting passes over it
  book.Records[0].MultiGroups = "\2\3\2\0"s;  // 3 is past the last group, 2 is there twice
  AddressRecord& record = book.Records[1];
  record = {"", "", 2, "", 3, "\1", {}, {6, -2, 0, 5}, 4, ""};
  PlatformError error;
  const std::string file = EncodeDocument(book, error).value();
  BookState loaded;
  ASSERT_EQ(DecodeDocument(file, loaded, error), DecodeResult::Ok);
  EXPECT_EQ(loaded.CurrentRecord, 0);
  EXPECT_EQ(loaded.DefaultPrintAs, kPrintAsPerson);
  EXPECT_EQ(loaded.DefaultPhoneNames, (Slots{-1, -1, 5, 0}));
  EXPECT_EQ(loaded.Keys[0], (SortKey{9, 1, 0, 1}));
  EXPECT_EQ(loaded.Records[0].MultiGroups, "\2\0"s);
  EXPECT_EQ(loaded.Records[1], (AddressRecord{"", "", kPrintAsPerson, "", kNoGroup, "", {}, {-1, -1, 0, 5}, 0, ""}));

  book.Records[0].MultiGroups = "\1\7";  // one valid group left
  ASSERT_EQ(DecodeDocument(EncodeDocument(book, error).value(), loaded, error), DecodeResult::Ok);
  EXPECT_EQ(loaded.Records[0].Group, 1);
  EXPECT_EQ(loaded.Records[0].MultiGroups, "");
}

TEST(DecodeDocument, EveryCorpusFileIsRefusedOrGivesASoundBook) {
  const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus"));
  const QStringList files = corpus.entryList(QDir::Files);
  ASSERT_GT(files.size(), 100);
  for (const QString& name : files) {
    BookState book;
    PlatformError error;
    if (DecodeDocument(ReadBytes(corpus.filePath(name)), book, error) == DecodeResult::Ok) {
      EXPECT_EQ(BrokenInvariant(book), "") << name.toStdString();
    }
  }
}

TEST_F(DataFileTest, FileThatIsNoDataFileIsRefusedAndTheBookKept) {
  WriteBytes(path, "QuillBox00" + kNewBookFile.substr(10));
  BookState book = DistinctBook();
  book.FileName = PathOf("mine.dat");
  book.Dirty = true;
  LoadDocument(book, path);
  ExpectSameBook(book, DistinctBook());
  EXPECT_EQ(book.FileName, PathOf("mine.dat"));
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(Shown(), (std::vector{std::pair{MessageKind::Notice, path + " is corrupt or is not a valid data file."}}));
}

TEST_F(DataFileTest, FileEndingInsideARecordGivesAnUntitledBookAndTheError) {
  WriteBytes(path, kDistinctBookFile.substr(0, kDistinctBookFile.size() - 1));
  BookState book = DistinctBook();
  LoadDocument(book, path);
  EXPECT_TRUE(book.IsUntitled());
  EXPECT_TRUE(book.Records.empty());
  EXPECT_TRUE(book.Groups.empty());
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(Shown(), (std::vector{std::pair{MessageKind::ErrorReport, "Unable to load '" + path +
                                                                          "' from disk. Error 62 : Input past end of file."}}));
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(DataFileTest, MissingFileGivesANewBookUnderItsName) {
  WriteBytes(PathOf("plain"), "a file, not a folder");
  for (const QString& missing : {PathOf("absent.dat"), PathOf("plain/absent.dat")}) {
    BookState book = DistinctBook();
    book.Dirty = true;
    LoadDocument(book, missing);
    EXPECT_EQ(book.FileName, missing);
    EXPECT_TRUE(book.Records.empty());
    EXPECT_FALSE(book.Dirty);
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DataFileTest, TextsUpTo65535BytesAreStoredAndLongerOnesRefused) {
  BookState book = DistinctBook();
  book.FileName = path;
  book.Records[1].Notes = std::string(65536, 'n');
  book.Dirty = true;
  SaveDocument(book);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(Shown(), (std::vector{std::pair{MessageKind::ErrorReport,
                                            "Unable to save " + path + " to disk. Error 7 : A text longer than 65,535 "
                                                                       "characters cannot be stored."}}));
  book.Records[1].Notes.pop_back();
  SaveDocument(book);
  EXPECT_FALSE(book.Dirty);
  BookState loaded;
  LoadDocument(loaded, path);
  EXPECT_EQ(loaded.Records, book.Records);
}

}  // namespace
