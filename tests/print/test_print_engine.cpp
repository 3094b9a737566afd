#include <algorithm>
#include <numeric>

#include <QDir>
#include <QTemporaryDir>

#include "core/GroupMembership.h"
#include "print/LineFileWriter.h"
#include "print/PrintList.h"
#include "print/PrinterFont.h"
#include "print/WrapText.h"
#include "print/frmPrint.h"
#include "support/PrintFixture.h"

namespace {

using Lines = std::vector<std::string>;

class PrintEngineTest : public PrintTest {
 protected:
  // The lines the records of the book give, read back from a line file.
  Lines LinesOf(int linesPerPage) {
    PrintAll();
    LineFile file(linesPerPage);
    WriteLineFile(printer, book, settings, job, file);
    file.StartReading();
    Lines lines;
    for (int32_t i = 1; i <= file.TotalLines(); ++i) lines.push_back(file.ReadLine(i));
    return lines;
  }
};

TEST_F(PrintEngineTest, TheRecordsOfAllGroupsNoGroupOrAnyOfTheirGroupsInDocumentOrder) {
  AddRecord(book, "None").Group = kNoGroup;
  AddRecord(book, "Work").Group = 1;
  StoreGroupSet(AddRecord(book, "Several"), std::string{0, 2});
  const std::pair<std::string, std::vector<int>> selections[] = {
      {"\xFD", {0, 1, 2}}, {"\xFF", {0}}, {"\1", {1}}, {"\2", {2}}, {"\1\2", {1, 2}}, {"\2\xFD", {0, 1, 2}}, {"\3", {}},
      {std::string(1, '\0'), {2}}};  // the first group of a record in several
  for (const auto& [selection, expected] : selections) {
    job.GroupSelection = selection;
    job.PrintList.clear();
    Fakes().busy = {};
    EXPECT_TRUE(BuildPrintList(book, job).Succeeded());
    EXPECT_EQ(job.PrintList, expected) << static_cast<int>(selection.back());
    EXPECT_TRUE(Fakes().busy.ShownThenRestored()) << static_cast<int>(selection.back());
  }
}

TEST_F(PrintEngineTest, SortsByCompanyOfBusinessesAndLastNameOfPersons) {
  AddRecord(book, "Mary Zimmer");
  AddRecord(book, "Zed Zulu", "Bolt Ltd").PrintAs = kPrintAsBusiness;
  AddRecord(book, "John Adams");
  AddRecord(book, "Anne Carter", "Zebra Inc");  // a person: the company does not count
  PrintAll();
  SortPrintList(book, job);
  EXPECT_EQ(job.PrintList, (std::vector<int>{2, 1, 3, 0}));
  // Keys equal but for case are printed together, each record once.
  book = BookWithGroups({});
  for (const char* name : {"Ann", "Bo", "ANN", "ann", "aNN", "Al", "anN"}) AddRecord(book, name);
  PrintAll();
  SortPrintList(book, job);
  std::vector<int> printed = job.PrintList;
  std::string names;
  for (const int r : printed) names += QString::fromStdString(book.Records[static_cast<size_t>(r)].Name).toLower().toStdString() + ' ';
  EXPECT_EQ(names, "al ann ann ann ann ann bo ");
  std::sort(printed.begin(), printed.end());
  EXPECT_EQ(printed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(PrintEngineTest, WrapTextBreaksBetweenWordsOnLineEndsAndBeforeAWordTooWide) {
  const std::string huge(200000, 'x');
  const std::tuple<std::string, double, Lines> cases[] = {
      {"one two three four", 900, {"one two", "three", "four"}},
      {"Supercalifragilistic", 1000, {"", "Supercalifragilistic"}},
      {"ab Supercalifragilistic", 1000, {"ab", "Supercalifragilistic"}},
      {"1 Main St\r\nSpringfield", 3600, {"1 Main St", "Springfield"}}, {"Ann\tLee", 3600, {"Ann Lee"}},
      {"  indented  ", 3600, {"  indented"}}, {std::string("a\0b\x01\x1f" "c", 6), 3600, {"abc"}},
      {"Zoë Rémi", 3600, {"Zoë Rémi"}}, {"\x01\x02\r", 3600, {}}, {"a\n\nb", 3600, {"a", "", "b"}},
      {"a b", 0, {"", "a", "b"}}, {huge, 3600, {"", huge}}};
  for (const auto& [text, width, expected] : cases) {
    Lines lines;
    WrapText(printer, text, lines, width);
    EXPECT_EQ(lines, expected) << text.substr(0, 40);
  }
}

// A phone list printed from the print dialog fills its pages with the lines
// the page's height and the font's size give: every line on the page, five
// more on a page five lines taller, fewer in a larger font, none lost.
TEST_F(PrintEngineTest, APhoneListPageHoldsWhatItsHeightAndTheFontGive) {
  constexpr int kRecords = 200;
  for (int r = 0; r < kRecords; ++r) AddRecord(book, "Name " + std::to_string(r));
  std::tie(settings.Printing.FontName, settings.Printing.ShowLetters) = std::make_pair(QStringLiteral("Arial"), false);
  // The records' lines on each page, each line checked to be on the page.
  const auto print = [&](double pageHeight, int points) {
    printer = RecordingPrinter();
    printer.heightPerPoint = 20;  // 12 points: a line of 240 twips
    std::tie(printer.pageHeight, settings.Printing.FontSize) = std::make_pair(pageHeight, points);
    frmPrint(book, settings).cmdOK_Click();
    std::vector<int> lines(static_cast<size_t>(printer.PagesOf(1)));
    double lowest = 0;
    for (const PrintedOp& op : printer.Texts(1)) {
      lines[static_cast<size_t>(op.page - 1)] += op.text.starts_with("Name ");
      lowest = std::max(lowest, op.y + printer.TextHeight(op.text));
    }
    EXPECT_LE(lowest, pageHeight) << pageHeight << ", " << points << " points";
    EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), 0), kRecords) << pageHeight << ", " << points << " points";
    return lines;
  };
  const std::vector<int> plain = print(15120, 12), taller = print(15120 + 5 * 240, 12), larger = print(15120, 20);
  ASSERT_GE(plain.size(), 3u);
  EXPECT_EQ(plain[1], plain[0]);  // every full page alike
  EXPECT_EQ(taller[0], plain[0] + 5);
  EXPECT_NEAR(larger[0], plain[0] * 12 / 20, 2);  // lines of 20 points: 12/20 as many
  EXPECT_EQ(CurrentPrinterFont()->Size, 20);
  printer.heightPerPoint = printer.lineHeight = 0;  // a font without height prints nothing
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::PhoneBook), 0);
  EXPECT_EQ(std::make_tuple(PageCount(0, 18), PageCount(18, 18), PageCount(19, 18)), std::make_tuple(0, 1, 2));
}

TEST_F(PrintEngineTest, PhoneLinesWithoutAddressesAndAnItemThatDoesNotFitMovesOn) {
  settings.Printing.ShowLetters = false;
  AddressRecord& ann = AddRecord(book, "Ann Lee");
  ann.Phones = {"555-1000", "", "555-3000", ""};
  ann.PhoneNameIndex = {0, 1, -1, 3};
  AddressRecord& damaged = AddRecord(book, "Al Ma");
  damaged.Phones[1] = "9";
  damaged.PhoneNameIndex[1] = 99;  // a damaged index prints no description
  AddRecord(book, "Bob Ray");  // no phones
  AddRecord(book, "Ann Lee", "").PrintAs = kPrintAsBusiness;
  AddRecord(book, "Tab\tName\r\n").Phones[0] = "1\t2";
  EXPECT_EQ(LinesOf(25), (Lines{"Ann Lee (Home)\t555-1000", "Ann Lee\t555-3000", "Al Ma\t9", "Bob Ray", "",
                                "Tab Name   (Home)\t1 2"}));
  book = BookWithGroups({});
  for (const char* name : {"A", "B", "C"}) AddRecord(book, name).Phones = {"1", "2", "", ""};
  EXPECT_EQ(LinesOf(5), (Lines{"A (Home)\t1", "A (Work)\t2", "B (Home)\t1", "B (Work)\t2", "", "C (Home)\t1",
                               "C (Work)\t2"}));
}

TEST_F(PrintEngineTest, FullEntriesAreSeparatedExceptAtAPageTopAndMoveOnWhenTheyDoNotFit) {
  settings.Printing.ShowLetters = false;
  settings.Printing.IncludeAddress = true;
  AddressRecord& acme = AddRecord(book, "Jo Doe", "Acme");
  acme.PrintAs = kPrintAsBusiness;
  acme.Phones[1] = "555-2000";
  acme.PhoneNameIndex[1] = -1;
  acme.Address = "1 Main St\r\nTown";
  AddRecord(book, "Al Bo", "Firm").Address = "2 Side Rd";
  AddRecord(book, "Cy Di").Address = "3 Up\r\nDown\r\nAround";
  EXPECT_EQ(LinesOf(8), (Lines{"Acme", "Jo Doe", "\t555-2000", "1 Main St", "Town", "", "", "",  // filler
                               "Al Bo", "Firm", "2 Side Rd", "", "Cy Di", "3 Up", "Down", "Around"}));
  book = BookWithGroups({});
  AddRecord(book, "A");
  AddRecord(book, "B").Address = "1\n2\n3\n4";  // longer than a page: it starts at a page top
  EXPECT_EQ(LinesOf(3), (Lines{"A", "", "", "B", "1", "2", "3", "4"}));
}

TEST_F(PrintEngineTest, LetterHeadingsStartEachNewLetter) {
  for (const char* name : {"ann adams", "Al Aston", "", "Bo Brown"}) AddRecord(book, name);
  EXPECT_EQ(LinesOf(25), (Lines{"*** A ***", "", "ann adams", "Al Aston", "", "", "*** B ***", "", "Bo Brown"}));
}

// The line file lives in a private folder of the temporary folder while the job or its preview runs.
TEST_F(PrintEngineTest, TheLineFileIsPrivateAndRemovedAfterTheJobAndAfterAFailure) {
  QTemporaryDir temporary;
  const QByteArray savedTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temporary.path().toLocal8Bit());
  for (const char* name : {"Ann", "Bob", "Cy"}) AddRecord(book, name);
  PrintAll();
  job.LinesPerPage = 25;
  QFileInfoList seen;  // the folders there while a text is drawn
  bool fail = false;
  printer.beforeText = [&](const std::string&) {
    seen = QDir(temporary.path()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_TRUE(!seen.empty() && QDir(seen[0].filePath()).exists(QString::fromLatin1(kLineFileName)));
    if (fail) throw PlatformFailure(PlatformError{482, QStringLiteral("Printer error")});
  };
  Print();
  ASSERT_EQ(seen.size(), 1);
  EXPECT_EQ(seen[0].permissions() & 0x0077, 0);  // neither the group nor others may enter
  EXPECT_TRUE(QDir(temporary.path()).isEmpty() && Messages().empty());
  fail = true;
  Print();
  EXPECT_FALSE(Preview());
  qputenv("TMPDIR", savedTmp);
  EXPECT_EQ(Messages(), std::vector<QString>(2, "Unable to complete printing. Error 482 : Printer error."));
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
  EXPECT_EQ(Fakes().busy.depth, 0);
}

}  // namespace
