#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>

#include "core/DocumentCodec.h"
#include "core/Document.h"
#include "find/frmSort.h"
#include "support/BookInvariants.h"
#include "support/TestBooks.h"

namespace {

std::string Int16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Encoded(const BookState& book) {
  PlatformError error;
  return EncodeDocument(book, error).value();
}

// Offsets in the file of a book with the four default phone names.
constexpr size_t kGroupCountOffset = 52 + 2 + 6 + 6 + 5 + 11;

DecodeResult Decode(const std::string& bytes, BookState& book) {
  PlatformError error;
  return DecodeDocument(bytes, book, error);
}

TEST(DamagedFiles, EveryCorpusFileIsRefusedOrGivesASoundDocument) {
  const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus"));
  const QStringList files = corpus.entryList(QDir::Files);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& name : files) {
    BookState book;
    NewDocument(book);
    if (Decode(ReadBytes(corpus.filePath(name)), book) == DecodeResult::Ok) {
      EXPECT_EQ(BrokenInvariant(book), "") << name.toStdString();
    }
  }
}

TEST(DamagedFiles, IndexesThatPointNowhereAreMended) {
  BookState book;
  const std::string bytes = ReadBytes(QStringLiteral(VANTREO_TEST_DATA_DIR "/loader-corpus/damaged-indexes.dat"));
  ASSERT_EQ(Decode(bytes, book), DecodeResult::Ok);
  EXPECT_EQ(book.CurrentRecord, 0);
  EXPECT_EQ(book.DefaultPrintAs, kPrintAsPerson);
  EXPECT_EQ(book.DefaultPhoneNames, (std::array<int16_t, 4>{-1, -1, 0, 2}));
  EXPECT_EQ(book.Keys[0].SortField, 9);  // kept: sorting ignores it, and the dialog shows no field
  EXPECT_EQ(frmSort(book).cboSortField[0]->currentIndex(), -1);
  const AddressRecord& record = book.Records.at(0);
  EXPECT_EQ(record.Group, kNoGroup);
  EXPECT_EQ(record.MultiGroups, "");
  EXPECT_EQ(record.PhoneNameIndex, (std::array<int16_t, 4>{-1, -1, 0, 1}));
  EXPECT_EQ(record.WhichPhone, 0);
}

TEST(DamagedFiles, GroupSetKeepsValidGroupsOnce) {
  BookState book = BookWithGroups({"A", "B", "C"});
  AddressRecord& record = AddRecord(book, "X");
  record.Group = kMultipleGroups;
  record.MultiGroups = std::string("\2\x09\2\0", 4);
  BookState loaded;
  ASSERT_EQ(Decode(Encoded(book), loaded), DecodeResult::Ok);
  EXPECT_EQ(loaded.Records[0].MultiGroups, std::string("\2\0", 2));

  book.Records[0].MultiGroups = "\1\7";
  ASSERT_EQ(Decode(Encoded(book), loaded), DecodeResult::Ok);
  EXPECT_EQ(loaded.Records[0].Group, 1);
  EXPECT_EQ(loaded.Records[0].MultiGroups, "");
}

TEST(DamagedFiles, ImpossibleCountsAreRefused) {
  BookState book = BookWithGroups({});
  AddRecord(book, "X");
  const std::string good = Encoded(book);
  BookState loaded;

  std::string negativeRecords = good;
  negativeRecords.replace(kGroupCountOffset + 4, 2, Int16(-1));
  EXPECT_EQ(Decode(negativeRecords, loaded), DecodeResult::Damaged);

  std::string negativeGroups = good;
  negativeGroups.replace(kGroupCountOffset, 2, Int16(-3));
  EXPECT_EQ(Decode(negativeGroups, loaded), DecodeResult::Damaged);

  std::string hugeRecords = good;
  hugeRecords.replace(kGroupCountOffset + 4, 2, Int16(32767));
  EXPECT_EQ(Decode(hugeRecords, loaded), DecodeResult::Damaged);

  std::string noPhoneNames = good.substr(0, 52) + Int16(0) + good.substr(kGroupCountOffset);
  EXPECT_EQ(Decode(noPhoneNames, loaded), DecodeResult::Damaged);
}

TEST(DamagedFiles, MoreThan250GroupsAreRefused) {
  BookState book;
  NewDocument(book);
  book.Groups.assign(251, "G");
  BookState loaded;
  EXPECT_EQ(Decode(Encoded(book), loaded), DecodeResult::Damaged);
  book.Groups.resize(250);
  EXPECT_EQ(Decode(Encoded(book), loaded), DecodeResult::Ok);
}

TEST(DamagedFiles, FileShorterThanTheMagicIsUnreadable) {
  BookState book;
  EXPECT_EQ(Decode("QUILL", book), DecodeResult::Damaged);
  EXPECT_EQ(Decode("", book), DecodeResult::Damaged);
  EXPECT_EQ(Decode("NOTABOOK00", book), DecodeResult::NotADataFile);
}

}  // namespace
