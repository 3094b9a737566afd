// Search by Unicode case folding and sorting by the user's locale in a
// Unicode book; an old-format book sorts by code as it always has.
#include <gtest/gtest.h>

#include <QLocale>

#include "core/Document.h"
#include "find/FindInRecords.h"
#include "find/SortRecords.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"

namespace {

using namespace std::string_literals;

BookState UnicodeBook(const std::vector<std::string>& names) {
  BookState book = BookWithGroups({});
  for (const std::string& name : names) AddRecord(book, name);
  ConvertToUnicode(book);
  return book;
}

struct SearchCase {
  const char* label;
  std::string typed;
  bool matchCase;
  int record;    // -1 for no match
  int position;  // in the box's UTF-16 units
};

void PrintTo(const SearchCase& searched, std::ostream* out) { *out << searched.label; }

class UnicodeSearchTest : public testing::TestWithParam<SearchCase> {};

TEST_P(UnicodeSearchTest, FindsByCaseFoldingOrExactly) {
  const BookState book = UnicodeBook({"Ann Lee", "Łukasz Nowak", "Иван Петров", "Hauptstraße 1", "😀 Emoji Eve",
                                      "İsmail Işık"});
  ProgramSettings::SearchSection search;
  search.SearchString = GetParam().typed;
  search.MatchCase = GetParam().matchCase;
  search.AllFields = true;
  const std::optional<SearchMatch> match = FindMatch(book, search, 0, 1);
  if (GetParam().record < 0) {
    EXPECT_FALSE(match.has_value());
    return;
  }
  ASSERT_TRUE(match.has_value());
  EXPECT_EQ(std::pair(match->Record, match->Position), std::pair(GetParam().record, GetParam().position));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnicodeSearchTest,
    testing::Values(SearchCase{"PolishCapitals", "ŁUKASZ", false, 1, 0}, SearchCase{"CyrillicCapitals", "ИВАН", false, 2, 0},
                    SearchCase{"SharpSByDoubleS", "STRASSE", false, 3, 5}, SearchCase{"AfterAnEmoji", "EVE", false, 4, 9},
                    SearchCase{"MatchCaseRefusesOtherCase", "łukasz", true, -1, 0},
                    SearchCase{"MatchCaseFindsExactly", "Петров", true, 2, 5},
                    SearchCase{"MatchCasePositionAfterAnEmoji", "Eve", true, 4, 9},
                    SearchCase{"TurkishDotlessI", "IŞIK", false, 5, 7},
                    SearchCase{"TurkishDottedCapitalI", "İSMAİL", false, 5, 0}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.label); });

std::vector<std::string> SortedNames(BookState book, const char* locale) {
  QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
  book.Keys = {SortKey{kSortName, 0, 0, 0}, SortKey{kSortNone, 0, 0, 0}, SortKey{kSortNone, 0, 0, 0}};
  SortRecords(book);
  QLocale::setDefault(QLocale::c());
  std::vector<std::string> names;
  for (const AddressRecord& record : book.Records) names.push_back(record.Name);
  return names;
}

TEST(UnicodeSort, ABookSortsByTheUsersLocale) {
  const BookState book = UnicodeBook({"Zeta", "Ångström", "Berg", "Öberg", "Ostrom", "Adams"});
  EXPECT_EQ(SortedNames(book, "sv_SE"),
            (std::vector<std::string>{"Adams", "Berg", "Ostrom", "Zeta", "Ångström", "Öberg"}));
  EXPECT_EQ(SortedNames(book, "en_US"),
            (std::vector<std::string>{"Adams", "Ångström", "Berg", "Öberg", "Ostrom", "Zeta"}));
}

TEST(UnicodeSort, MatchingCaseAnOldFormatBookSortsByCodeAndAUnicodeBookByLocale) {
  BookState book = BookWithGroups({});
  for (const char* name : {"été", "apple", "Zed", "Eve"}) AddRecord(book, name);
  book.Keys = {SortKey{kSortName, 0, 1, 0}, SortKey{kSortNone, 0, 0, 0}, SortKey{kSortNone, 0, 0, 0}};
  BookState unicode = book;
  ConvertToUnicode(unicode);
  QLocale::setDefault(QLocale(QStringLiteral("en_US")));
  SortRecords(book);
  SortRecords(unicode);
  QLocale::setDefault(QLocale::c());
  std::vector<std::string> byCode, byLocale;
  for (const AddressRecord& record : book.Records) byCode.push_back(record.Name);
  for (const AddressRecord& record : unicode.Records) byLocale.push_back(record.Name);
  EXPECT_EQ(byCode, (std::vector<std::string>{"Eve", "Zed", "apple", "été"}));
  EXPECT_EQ(byLocale, (std::vector<std::string>{"apple", "été", "Eve", "Zed"}));
}

}  // namespace
