#include "print/Labels.h"
#include "print/PageBody.h"
#include "print/PhoneList.h"
#include "print/PrintableText.h"
#include "support/PrintFixture.h"

namespace {

using Placed = std::tuple<std::string, double, double>;  // a text and where it starts

std::vector<Placed> PlacedTexts(const std::vector<PrintedOp>& texts) {
  std::vector<Placed> placed;
  for (const PrintedOp& op : texts) placed.emplace_back(op.text, op.x, op.y);
  return placed;
}

class PagesTest : public PrintTest {
 protected:
  // The texts of page number page of a line file holding lines, drawn on the fixture's printer or on,
  // in (1000, 2000, 5000, 8000) with a margin of 180: lines start at 1180, numbers end at 4820. The page number comes first.
  std::vector<Placed> PrintPage(const std::vector<std::string>& lines, int page, int linesPerPage = 18,
                                RecordingPrinter* on = nullptr) {
    LineFile file(linesPerPage);
    for (const std::string& line : lines) file.Write(line);
    file.StartReading();
    on = on ? on : &printer;
    on->ops.clear();
    PrintPageBody(*on, file, PageRect{1000, 2000, 5000, 8000}, page, 180);
    return PlacedTexts(on->Texts());
  }
};

TEST_F(PagesTest, APageBodyDrawsItsLinesDownToTheLastAndItsNumberCentredAtTheFoot) {
  const std::vector<std::string> lines{"1", "", "3", "4"};
  EXPECT_EQ(PrintPage(lines, 1, 3), (std::vector<Placed>{{"-1-", 2850, 7580}, {"1", 1180, 2180}, {"3", 1180, 2660}}));
  EXPECT_EQ(PrintPage(lines, 2, 3), (std::vector<Placed>{{"-2-", 2850, 7580}, {"4", 1180, 2180}}));
  EXPECT_EQ(PrintPage(lines, 12, 3), (std::vector<Placed>{{"-12-", 2800, 7580}}));  // beyond the lines
}

TEST_F(PagesTest, TwoPartLinesEndFlushRightAfterWholeDotLeadersOrACutLeftPart) {
  using Drawn = std::vector<std::pair<std::string, double>>;  // texts and their x
  const std::string n30(30, 'n');
  const std::pair<std::string, Drawn> cases[] = {
      // The number starts at col = 4820 - 800; "Anna" ends at 1580: 2440 / 60 = 40.7, so 40 dots.
      {"Anna\t555-1234", {{"Anna", 1180}, {std::string(40, '.'), 1620}, {"555-1234", 4020}}},
      // The left part and two spaces end exactly at col = 4380: it fits and gets its leaders.
      {n30 + "\t12....", {{n30, 1180}, {"...", 4200}, {"12....", 4380}}},
      // At col = 4620 only 32 characters and two spaces fit: the cut part gets no leaders.
      {std::string(50, 'n') + "\t12", {{std::string(32, 'n'), 1180}, {"12", 4620}}},
      {"Ann\t" + std::string(60, '9'), {{std::string(60, '9'), -1180}}},  // no room for any left part
      {"a\tb\tc", {{"a", 1180}, {std::string(54, '.'), 1280}, {"b\tc", 4520}}},
      {std::string(80, 'w'), {{std::string(80, 'w'), 1180}}},  // a plain line is not cut
      {std::string(300000, 'x') + "\t1", {{std::string(33, 'x'), 1180}, {"1", 4720}}},
  };
  for (const auto& [line, expected] : cases) {
    Drawn drawn;
    for (const auto& [text, x, y] : PrintPage({line}, 1))
      if (y == 2180) drawn.emplace_back(text, x);
    EXPECT_EQ(drawn, expected) << line.substr(0, 60);
  }
  struct NoDotPrinter : RecordingPrinter {
    double TextWidth(const std::string& text) override { return text == "." ? 0 : RecordingPrinter::TextWidth(text); }
  } noDot;
  EXPECT_EQ(PrintPage({"Ann\t1"}, 1, 18, &noDot).size(), 3u);  // a font whose dot has no width gets no leaders
}

TEST_F(PagesTest, EachPhoneListPageHasTheTitleTheDateTheBodyAndItsNumber) {
  settings.Printing.Title = "Friends";
  LineFile file(2);
  for (const char* line : {"Ann\t1", "Bob\t2", "Cy\t3"}) file.Write(line);
  file.StartReading();
  const std::string before = TodayShortDate();
  PrintPhoneList(printer, file, settings);
  const std::string after = TodayShortDate();
  EXPECT_EQ(std::make_pair(printer.PagesOf(1), printer.fontsSet), std::make_pair(2, 2));  // the font set on every page
  for (int page = 1; page <= 2; ++page) {
    const std::vector<Placed> texts = PlacedTexts(printer.Texts(1, page));
    ASSERT_GE(texts.size(), 3u);
    const std::string date = std::get<0>(texts[1]) == after ? after : before;  // a day may begin while it prints
    EXPECT_EQ(std::vector<Placed>(texts.begin(), texts.begin() + 3),
              (std::vector<Placed>{{"Friends", (11520 - 700) / 2.0, (1220 - 240) / 2.0},
                                   {date, 11520 - 1220 - printer.TextWidth(date), 15120 - 1220 - 240},
                                   {"-" + std::to_string(page) + "-", (11520 - 300) / 2.0, 15120 - 1220 - 240}}));
  }
  EXPECT_EQ(PlacedTexts({printer.TextOf("Cy"), printer.TextOf("3")}),
            (std::vector<Placed>{{"Cy", 1220, 1220}, {"3", 11520 - 1220 - 100, 1220}}));
}

constexpr double kTop = 15120 / 2.0 - 6720;  // of the labels: 840

TEST_F(PagesTest, LabelsFillAPageInTwoColumnsOfSevenABusinessFirstGivesItsCompanyAndLinesThatDoNotFitAreLeftOut) {
  printer.lineHeight = 240.4;  // lines advance by the height rounded: 240
  AddressRecord& firm = AddRecord(book, "Jo\tDoe", "Acme");
  firm.PrintAs = kPrintAsBusiness;
  firm.Address = "1\r\n2\r\n3\r\n4\r\n5\r\n6";
  for (int i = 2; i <= 15; ++i) AddRecord(book, "Name " + std::to_string(i)).Address = "1 Main St\r\nTown";
  PrintAll();
  PrintLabels(printer, book, settings, job);
  // Six lines fit in 1920 twips from 270 down: 1710 + 240.4 > 1920.
  const std::vector<Placed> first = PlacedTexts(printer.Texts(1, 1));
  EXPECT_EQ(std::vector<Placed>(first.begin(), first.begin() + 7),
            (std::vector<Placed>{{"Acme", 1080, kTop + 270}, {"Jo Doe", 1080, kTop + 510}, {"1", 1080, kTop + 750},
                                 {"2", 1080, kTop + 990}, {"3", 1080, kTop + 1230}, {"4", 1080, kTop + 1470},
                                 {"Name 2", 6840, kTop + 270}}));
  for (const auto& [name, page, y] : {std::tuple{"Name 3", 1, kTop + 1920 + 270}, {"Name 15", 2, kTop + 270}}) {
    const PrintedOp label = printer.TextOf(name);
    EXPECT_EQ(std::make_tuple(label.page, label.x, label.y), std::make_tuple(page, 1080.0, y)) << name;
  }
  EXPECT_EQ(printer.TextOf("Name 14").y, kTop + 6 * 1920 + 270);
  EXPECT_EQ(printer.Texts(1, 2).size(), 3u);  // name and two address lines; the right label stays empty
}

}  // namespace
