#include "print/PhoneBook.h"
#include "print/PrintableText.h"
#include "support/PrintFixture.h"
#include "support/TextPrinting.h"

namespace {

// A printed sheet: the page numbers in rects 1 to 4 (0 for none), then its number of cut marks.
using Sheet = std::array<int, 5>;

std::pair<double, double> At(const PrintedOp& op) { return {op.x, op.y}; }

// The number of a page number text such as "-3-", else 0.
int NumberIn(const std::string& text) {
  return text.size() > 2 && text.front() == '-' && text.back() == '-' ? std::stoi(text.substr(1)) : 0;
}

class BookletTest : public PrintTest {
 protected:
  // A booklet of lines, the first line of each page naming it ("P1", ...).
  void PrintBooklet(int lines, JobSides sides = JobSides::TwoPasses) {
    LineFile file(18);
    for (int k = 0; k < lines; ++k) file.Write(k % 18 ? "" : "P" + std::to_string(k / 18 + 1));
    file.StartReading();
    PrintPhoneBook(printer, file, settings, sides);
    printer.EndDocument();
  }

  // What was drawn on each printed page, in printing order, whatever the documents.
  std::vector<std::vector<PrintedOp>> Pages() const {
    std::vector<std::vector<PrintedOp>> pages;
    std::pair<int, int> current{0, 0};
    for (PrintedOp op : printer.ops) {
      if (std::make_pair(op.document, op.page) != current) pages.emplace_back();
      current = {op.document, op.page};
      op.document = op.page = 0;
      pages.back().push_back(op);
    }
    return pages;
  }

  // The printed sheets in printing order; pages after the first document seen xShift to the right.
  std::vector<Sheet> Sheets(int xShift = 0) const {
    std::vector<Sheet> sheets;
    for (const std::vector<PrintedOp>& page : Pages()) {
      Sheet& sheet = sheets.emplace_back();
      const double shift = sheets.size() > static_cast<size_t>(printer.PagesOf(1)) ? xShift : 0;
      for (const PrintedOp& op : page) {
        if (op.kind == PrintedOp::Line) sheet[4] += op.y2 > op.y;  // the upright stroke of a mark
        if (NumberIn(op.text)) sheet[(op.y < 7560 ? 0 : 2) + (op.x - shift < 5760 ? 1 : 0)] = NumberIn(op.text);
      }
    }
    return sheets;
  }
};

TEST_F(BookletTest, FrontsComeFirstThenEachBackAfterAPromptInReverseSheetOrder) {
  const std::vector<std::string> twoPrompts{"Page 2 - Side B", "Page 1 - Side B"};
  // 9 lines make one page, raised to four; pages 2 to 4 print only their numbers.
  const std::tuple<int, std::vector<Sheet>, std::vector<std::string>> cases[] = {
      {9, {{0, 0, 1, 4, 9}, {0, 0, 3, 2, 9}}, {"Page 1 - Side B"}},
      {8 * 18, {{0, 0, 1, 8, 9}, {3, 6, 0, 0, 6}, {5, 4, 0, 0, 6}, {0, 0, 7, 2, 9}}, twoPrompts},
      {12 * 18, {{0, 0, 1, 12, 9}, {3, 10, 5, 8, 9}, {9, 4, 7, 6, 9}, {0, 0, 11, 2, 9}}, twoPrompts}};
  for (const auto& [lines, sheets, prompts] : cases) {
    SCOPED_TRACE(lines);
    printer = RecordingPrinter();
    prompt.prompts.clear();
    prompt.documentsEndedAtPrompt.clear();
    PrintBooklet(lines);
    EXPECT_EQ(Sheets(), sheets);
    EXPECT_EQ(prompt.prompts, prompts);
    // Side A is one document, gone to the printer before the first prompt; each prompted back is one more.
    EXPECT_EQ(printer.PagesOf(1), static_cast<int>(sheets.size()) / 2);
    EXPECT_EQ(prompt.documentsEndedAtPrompt.front(), 1);
    EXPECT_EQ(printer.documentsEnded, static_cast<int>(prompts.size()) + 1);
  }
  EXPECT_EQ(At(printer.TextOf("P3")), std::make_pair(5760.0 + 180, 2160.0 + 180));
  EXPECT_EQ(At(printer.TextOf("P10")), std::make_pair(1800.0 + 180, 2340.0));
  EXPECT_EQ(printer.TextOf("P5").y, 7560 + 180);
}

TEST_F(BookletTest, TheCoverShowsTheWrappedTitleAndTheDateAndCutsALongTitleAfterThirteenLines) {
  settings.Printing.Title = "The Family And Friends Telephone Book";  // 37 characters: two lines
  const std::string before = TodayShortDate();
  PrintBooklet(1);
  const std::string after = TodayShortDate();
  EXPECT_EQ(At(printer.TextOf("The Family And Friends Telephone")), std::make_pair((3960 - 3200) / 2.0 + 5760, 3510.0));
  EXPECT_EQ(printer.TextOf("Book").y, 3510 + 240);
  const std::vector<PrintedOp> texts = printer.Texts();
  const bool printedAfter = std::any_of(texts.begin(), texts.end(), [&](const PrintedOp& op) { return op.text == after; });
  const std::string date = printedAfter ? after : before;  // a day may begin while it prints
  EXPECT_EQ(At(printer.TextOf(date)), std::make_pair((3960 - printer.TextWidth(date)) / 2 + 5760, 2160.0 + 3240));
  settings.Printing.Title.clear();
  const std::string line(31, 'x');
  for (int k = 0; k < 20; ++k) settings.Printing.Title += line + " ";  // 240 * 14 > 3240
  printer = RecordingPrinter();
  PrintBooklet(1);
  const std::vector<PrintedOp> cover = printer.Texts(1, 1);
  EXPECT_EQ(std::count_if(cover.begin(), cover.end(), [&](const PrintedOp& op) { return op.text == line; }), 13);
}

TEST_F(BookletTest, AbortAtAPromptEndsTheBacks) {
  prompt.answers = {{false, true}};
  PrintBooklet(8 * 18);
  EXPECT_EQ(std::make_pair(printer.documentsEnded, prompt.prompts.size()), std::make_pair(1, size_t{1}));
}

TEST_F(BookletTest, CutMarksAreCrossesAroundTheCentredSheetAndSideBMovesByTheOffsetsInWholeTwips) {
  settings.Printing.XOffset = 0.5f;
  settings.Printing.YOffset = -0.011f;  // -15.84 twips
  PrintBooklet(1);
  std::vector<PrintedOp> crosses;
  for (const double y : {2160, 7560, 12960}) {
    for (const double x : {9720, 5760, 1800}) {
      crosses.push_back({PrintedOp::Line, 1, 1, x, y - 75, x, y + 75, {}});
      crosses.push_back({PrintedOp::Line, 1, 1, x - 75, y, x + 75, y, {}});
    }
  }
  EXPECT_EQ(printer.Drawn(PrintedOp::Line, 1), crosses);
  std::vector<PrintedOp> back = printer.Drawn(PrintedOp::Line, 2);
  for (PrintedOp& op : back) op = {op.kind, 1, 1, op.x - 720, op.y + 16, op.x2 - 720, op.y2 + 16, {}};
  EXPECT_EQ(back, crosses);
  EXPECT_EQ(Sheets(720)[1], (Sheet{0, 0, 3, 2, 9}));
  EXPECT_EQ(printer.TextOf("-3-").x, 5760 + 720 + (3960 - 300) / 2.0);
}

// Cuts the printed sheets apart: each leaf as the pages on its front and back, lowest first (0 the cover,
// -1 nothing), in reading order. A back is turned over on the long edge, so its left and right change places.
std::vector<std::pair<int, int>> Leaves(const std::vector<Sheet>& fronts, const std::vector<Sheet>& backs) {
  std::vector<std::pair<int, int>> leaves;
  for (size_t s = 0; s < fronts.size(); ++s) {
    for (size_t spot = 0; spot < 4; ++spot) {
      const int front = fronts[s][spot] ? fronts[s][spot] : (s == 0 && spot == 0 ? 0 : -1);
      const int back = backs[s][spot ^ 1] ? backs[s][spot ^ 1] : -1;
      if (front >= 0) leaves.emplace_back(back >= 0 ? std::min(front, back) : front, back >= 0 ? std::max(front, back) : -1);
    }
  }
  std::sort(leaves.begin(), leaves.end());
  return leaves;
}

// Each printed page is named for the preview by its side and sheet: the
// backs of two passes come last sheet first.
TEST_F(BookletTest, EveryPageIsNamedBySideAndSheet) {
  const std::pair<JobSides, std::vector<QString>> cases[] = {
      {JobSides::TwoPasses, {"Side A of sheet 1", "Side A of sheet 2", "Side B of sheet 2", "Side B of sheet 1"}},
      {JobSides::BothSidesInOnePass, {"Side A of sheet 1", "Side B of sheet 1", "Side A of sheet 2", "Side B of sheet 2"}}};
  for (const auto& [sides, names] : cases) {
    printer = RecordingPrinter();
    PrintBooklet(8 * 18, sides);
    EXPECT_EQ(printer.pageNames, names);
    EXPECT_EQ(Pages().size(), names.size());
  }
}

TEST_F(BookletTest, OnePassGivesLeavesInPageOrderLikeTwoPassesWithTheCoverFirst) {
  prompt.answers.assign(5, {true, false});  // two passes: no prompt for each page, the backs in one document
  for (const int pages : {4, 8, 12, 16, 20}) {
    SCOPED_TRACE(pages);
    std::vector<std::pair<int, int>> expected{{0, -1}};
    for (int p = 1; p < pages; p += 2) expected.emplace_back(p, p + 1);
    for (const JobSides sides : {JobSides::BothSidesInOnePass, JobSides::TwoPasses}) {
      const bool onePass = sides == JobSides::BothSidesInOnePass;
      printer = RecordingPrinter();
      prompt.prompts.clear();
      settings.Printing.XOffset = 0.5f;  // ignored in one pass
      PrintBooklet(pages * 18, sides);
      const std::vector<Sheet> printed = Sheets(720);
      const size_t count = printed.size() / 2;
      std::vector<Sheet> fronts, backs;
      for (size_t k = 0; k < count; ++k) {
        fronts.push_back(printed[onePass ? 2 * k : k]);
        backs.push_back(printed[onePass ? 2 * k + 1 : 2 * count - 1 - k]);
      }
      EXPECT_EQ(Leaves(fronts, backs), expected);
      EXPECT_EQ(std::make_pair(printer.documentsEnded, prompt.prompts.size()),
                std::make_pair(onePass ? 1 : 2, size_t{onePass ? 0u : 1u}));
      if (!onePass) continue;
      EXPECT_EQ(printer.Drawn(PrintedOp::Line, 1, 2)[0].x, printer.Drawn(PrintedOp::Line, 1, 1)[0].x);  // no offsets
    }
  }
}

TEST_F(BookletTest, ThePreviewDrawsWhatIsPrinted) {
  book = PeopleBook(60);
  settings.Printing.IncludeAddress = true;
  settings.Printing.XOffset = 0.25f;
  PrintAll();
  job.LinesPerPage = 18;
  // The report, one pass chosen, a printer that prints both sides; the sides of the job.
  const std::tuple<int16_t, bool, bool, JobSides> reports[] = {
      {0, false, true, JobSides::OneSide}, {1, false, true, JobSides::TwoPasses},
      {1, true, true, JobSides::BothSidesInOnePass}, {1, true, false, JobSides::TwoPasses},
      {2, true, true, JobSides::OneSide}};
  for (const auto& [reportType, onePass, printerCanDoIt, sides] : reports) {
    SCOPED_TRACE(reportType * 100 + onePass * 10 + printerCanDoIt);
    std::tie(settings.Printing.ReportType, settings.Printing.BothSidesInOnePass) = std::tie(reportType, onePass);
    printer = RecordingPrinter();
    printer.bothSides = printerCanDoIt;
    Print();
    EXPECT_EQ(printer.jobs, std::vector<JobSides>{sides});
    const std::vector<std::vector<PrintedOp>> printed = Pages();
    printer.ops.clear();
    prompt.prompts.clear();
    EXPECT_FALSE(Preview());
    EXPECT_TRUE(prompt.prompts.empty());
    EXPECT_EQ(Pages(), printed);
  }
}

}  // namespace
