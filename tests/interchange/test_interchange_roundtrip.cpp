// Property: a book exported as vCard and imported into a new book gives the
// same records, byte for byte.
#include <gtest/gtest.h>

#include <random>

#include <QDir>
#include <QFile>
#include <QString>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/VCardWriter.h"
#include "support/ImportCheck.h"
#include "support/TestBooks.h"

namespace {

class BookGenerator {
 public:
  explicit BookGenerator(unsigned seed) : random_(seed) {}

  // Any windows-1252 byte but the line breaks, starting with a letter so
  // that no value is only blanks.
  std::string Text(int longest) {
    std::string text(1, static_cast<char>('A' + Below(26)));
    for (int i = Below(longest); i > 0; --i) {
      char byte;
      do byte = static_cast<char>(Below(256));
      while (byte == '\r' || byte == '\n');
      text += byte;
    }
    return text;
  }

  // Lines joined by CR LF, some of them empty, sometimes ending in a line break.
  std::string Lines() {
    std::string lines;
    for (int i = Below(4); i >= 0; --i) lines += (Below(5) == 0 ? std::string() : Text(30)) + (i > 0 ? "\r\n" : "");
    return Below(4) == 0 ? lines + "\r\n" : lines;
  }

  // A name unlike (in any letter case) every name already in the list.
  std::string NewName(const std::vector<std::string>& names) {
    for (;;) {
      const std::string name = Text(12);
      const QString folded = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toCaseFolded();
      if (std::none_of(names.begin(), names.end(), [&](const std::string& other) {
            return QString::fromLatin1(other.data(), static_cast<qsizetype>(other.size())).toCaseFolded() == folded;
          }))
        return name;
    }
  }

  BookState Book() {
    BookState book;
    NewDocument(book);
    for (int g = Below(6); g > 0; --g) AddGroup(book, NewName(book.Groups));
    for (int p = Below(4); p > 0; --p) AddPhoneName(book, NewName(book.PhoneNames));
    for (int r = 1 + Below(30); r > 0; --r) FillRecord(AddRecord(book, Text(20)), book);
    return book;
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  void FillRecord(AddressRecord& record, const BookState& book) {
    record.PrintAs = static_cast<int16_t>(Below(2));
    if (record.PrintAs == kPrintAsBusiness && Below(4) == 0) record.Name.clear();
    if (Below(2)) record.Company = Text(20);
    record.Address = Lines();
    record.Notes = Lines();
    for (size_t slot = 0; slot < 4; ++slot) {
      if (Below(4) == 0) continue;
      record.Phones[slot] = Text(15);
      record.PhoneNameIndex[slot] = static_cast<int16_t>(Below(book.PhoneNameCount()));
    }
    std::string groups;
    for (int g = 0; g < book.GroupCount(); ++g)
      if (Below(3) == 0) groups += static_cast<char>(g);
    StoreGroupSet(record, groups);
  }

  std::mt19937 random_;
};

class RoundTripTest : public testing::TestWithParam<VCardVersion> {};

TEST_P(RoundTripTest, GeneratedBooksComeBackAsTheyWere) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    const BookState book = BookGenerator(seed).Book();
    const std::string vcards = WriteVCards(book, AllRecords(book), GetParam());
    EXPECT_EQ(RoundTripDifference(book, ImportedBook(vcards)), "") << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, RoundTripTest, testing::Values(VCardVersion::V3, VCardVersion::V4));

TEST(VCardWriterTest, LinesAreFoldedAtSeventyFiveOctetsWithoutSplittingACharacter) {
  BookState book;
  NewDocument(book);
  AddRecord(book, "x" + std::string(40, '\xE9'));  // é takes two octets in UTF-8
  const std::string vcards = WriteVCards(book, AllRecords(book), VCardVersion::V3);
  const QByteArray text(vcards.data(), static_cast<qsizetype>(vcards.size()));
  const auto e = [](int count) { return QString(count, QChar(0xE9)).toUtf8(); };
  EXPECT_TRUE(text.contains("\r\nFN:x" + e(35) + "\r\n " + e(5) + "\r\n"));
  for (const QByteArray& line : text.split('\n')) EXPECT_LE(line.size(), 76) << line.constData();
}

// The inputs the fuzzers found, kept and replayed: each must import soundly.
class FuzzCorpusTest : public testing::TestWithParam<std::pair<const char*, ImportFormat>> {};

TEST_P(FuzzCorpusTest, EveryKeptInputImportsIntoASoundBookAndSurvivesTheRoundTrip) {
  const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR "/") + QLatin1String(GetParam().first));
  const QStringList inputs = corpus.entryList(QDir::Files);
  ASSERT_FALSE(inputs.isEmpty());
  for (const QString& input : inputs) {
    QFile file(corpus.filePath(input));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(CheckImportOf(file.readAll(), GetParam().second), "") << input.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzCorpusTest,
                         testing::Values(std::pair{"vcard-corpus", ImportFormat::VCard},
                                         std::pair{"csv-corpus", ImportFormat::Csv}),
                         [](const auto& info) { return info.param.second == ImportFormat::VCard ? "VCard" : "Csv"; });

}  // namespace
