#include "print/PhoneBook.h"
#include "print/PrintableText.h"
#include "print/SheetMarks.h"
#include "support/PrintFixture.h"

namespace {

// With the recording printer's 11520 x 15120 page, the block is centred on (5760, 7560).
constexpr SheetRects kSheet{{{5760, 2160, 9720, 7560}, {1800, 2160, 5760, 7560}, {5760, 7560, 9720, 12960},
                             {1800, 7560, 5760, 12960}}};

// A printed sheet: the page numbers in rects 1 to 4 (0 for none), then its number of cut marks.
using Sheet = std::array<int, 5>;

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
  struct Case {
    int lines;
    std::vector<Sheet> sheets;
    std::vector<std::string> prompts;
  } cases[] = {
      // 9 lines: one page, raised to four; pages 2 to 4 print only their numbers.
      {9, {{0, 0, 1, 4, 9}, {0, 0, 3, 2, 9}}, {"Page 1 - Side B"}},
      {8 * 18,
       {{0, 0, 1, 8, 9}, {3, 6, 0, 0, 6}, {5, 4, 0, 0, 6}, {0, 0, 7, 2, 9}},
       {"Page 2 - Side B", "Page 1 - Side B"}},
      {12 * 18,
       {{0, 0, 1, 12, 9}, {3, 10, 5, 8, 9}, {9, 4, 7, 6, 9}, {0, 0, 11, 2, 9}},
       {"Page 2 - Side B", "Page 1 - Side B"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines);
    printer = RecordingPrinter();
    prompt.prompts.clear();
    prompt.documentsEndedAtPrompt.clear();
    PrintBooklet(c.lines);
    EXPECT_EQ(Sheets(), c.sheets);
    EXPECT_EQ(prompt.prompts, c.prompts);
    // Side A is one document, gone to the printer before the first prompt; each prompted back is one more.
    EXPECT_EQ(printer.PagesOf(1), static_cast<int>(c.sheets.size()) / 2);
    EXPECT_EQ(prompt.documentsEndedAtPrompt.front(), 1);
    EXPECT_EQ(printer.documentsEnded, static_cast<int>(c.prompts.size()) + 1);
  }
  EXPECT_EQ(std::make_pair(printer.TextOf("P3").x, printer.TextOf("P3").y), std::make_pair(5760.0 + 180, 2160.0 + 180));
  EXPECT_EQ(std::make_pair(printer.TextOf("P10").x, printer.TextOf("P10").y), std::make_pair(1800.0 + 180, 2340.0));
  EXPECT_EQ(printer.TextOf("P5").y, 7560 + 180);
}

TEST_F(BookletTest, TheCoverShowsTheWrappedTitleAndTheDateAndCutsALongTitleAfterThirteenLines) {
  settings.Printing.Title = "The Family And Friends Telephone Book";  // 37 characters: two lines
  PrintBooklet(1);
  const PrintedOp first = printer.TextOf("The Family And Friends Telephone");
  EXPECT_EQ(std::make_pair(first.x, first.y), std::make_pair((3960 - 3200) / 2.0 + 5760, 1350.0 + 2160));
  EXPECT_EQ(printer.TextOf("Book").y, 1350 + 2160 + 240);
  const std::string date = TodayShortDate();
  const PrintedOp shown = printer.TextOf(date);
  EXPECT_EQ(std::make_pair(shown.x, shown.y), std::make_pair((3960 - printer.TextWidth(date)) / 2 + 5760, 2160.0 + 3240));

  settings.Printing.Title.clear();
  for (int k = 0; k < 20; ++k) settings.Printing.Title += "T" + std::to_string(k) + std::string(30, 'x') + " ";
  printer = RecordingPrinter();
  PrintBooklet(1);
  int titleLines = 0;
  for (const PrintedOp& op : printer.Texts(1, 1)) titleLines += op.text.size() > 30 ? 1 : 0;
  EXPECT_EQ(titleLines, 13);  // 240 * 14 > 3240
}

TEST_F(BookletTest, AbortAtAPromptEndsTheBacksAndClearingPromptForEachPagePrintsTheRestInOneDocument) {
  prompt.answers = {{false, true}};
  PrintBooklet(8 * 18);
  EXPECT_EQ(std::make_pair(printer.documentsEnded, prompt.prompts.size()), std::make_pair(1, size_t{1}));
  printer = RecordingPrinter();
  prompt.prompts.clear();
  prompt.answers = {{true, false}};
  PrintBooklet(16 * 18);  // three sheets
  EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"Page 3 - Side B"}));
  EXPECT_EQ(printer.documentsEnded, 2);
  const std::vector<Sheet> sheets = Sheets();
  EXPECT_EQ(std::vector<Sheet>(sheets.begin() + 3, sheets.end()),
            (std::vector<Sheet>{{9, 8, 0, 0, 6}, {13, 4, 11, 6, 9}, {0, 0, 15, 2, 9}}));
}

TEST_F(BookletTest, AnXOffsetOfAHalfInchMovesSideBSevenHundredTwentyTwipsRight) {
  settings.Printing.XOffset = 0.5f;
  PrintBooklet(1);
  const std::vector<PrintedOp> front = printer.Drawn(PrintedOp::Line, 1);
  const std::vector<PrintedOp> back = printer.Drawn(PrintedOp::Line, 2);
  ASSERT_EQ(front.size(), back.size());
  for (size_t k = 0; k < front.size(); ++k)
    EXPECT_EQ(std::tie(back[k].x, back[k].x2, back[k].y), std::make_tuple(front[k].x + 720, front[k].x2 + 720, front[k].y));
  EXPECT_EQ(Sheets(720)[1], (Sheet{0, 0, 3, 2, 9}));
  EXPECT_EQ(printer.TextOf("-3-").x, 5760 + 720 + (3960 - 300) / 2.0);
}

TEST_F(BookletTest, TheSheetIsCentredItsOffsetsRoundToWholeTwipsAndItsCutMarksAreCrossesAtTheCorners) {
  SheetRects rects{};
  InitSheetRects(printer, rects);
  EXPECT_EQ(rects, kSheet);
  ApplyOffsets(rects, -0.25f, 0.011f);  // -360 and 15.84
  EXPECT_EQ(rects[0], (PageRect{5400, 2176, 9360, 7576}));
  DrawCropMarks(printer, kSheet, true, "Caption");
  std::vector<std::tuple<double, double, double, double>> strokes;
  for (const PrintedOp& op : printer.Drawn(PrintedOp::Line)) strokes.emplace_back(op.x, op.y, op.x2, op.y2);
  std::vector<std::tuple<double, double, double, double>> crosses;
  for (const double y : {2160, 7560, 12960}) {
    for (const double x : {9720, 5760, 1800}) {
      crosses.emplace_back(x, y - 75, x, y + 75);
      crosses.emplace_back(x - 75, y, x + 75, y);
    }
  }
  EXPECT_EQ(strokes, crosses);
  const PrintedOp caption = printer.TextOf("Caption");
  EXPECT_EQ(std::make_pair(caption.x, caption.y), std::make_pair((11520 - 700) / 2.0, (2160 - 240) / 2.0));
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

TEST_F(BookletTest, OnePassGivesLeavesInPageOrderLikeTwoPassesWithTheCoverFirst) {
  prompt.answers = std::vector<PromptAnswer>(5, {true, false});  // two passes: the backs in one document
  for (const int pages : {4, 8, 12, 16, 20}) {
    SCOPED_TRACE(pages);
    std::vector<std::pair<int, int>> expected{{0, -1}};
    for (int p = 1; p < pages; p += 2) expected.emplace_back(p, p + 1);
    for (const JobSides sides : {JobSides::BothSidesInOnePass, JobSides::TwoPasses}) {
      printer = RecordingPrinter();
      settings.Printing.XOffset = 0.5f;  // ignored in one pass
      PrintBooklet(pages * 18, sides);
      const std::vector<Sheet> printed = Sheets(720);
      const size_t count = printed.size() / 2;
      std::vector<Sheet> fronts, backs;
      for (size_t k = 0; k < count; ++k) {
        const bool onePass = sides == JobSides::BothSidesInOnePass;
        fronts.push_back(printed[onePass ? 2 * k : k]);
        backs.push_back(printed[onePass ? 2 * k + 1 : 2 * count - 1 - k]);
      }
      EXPECT_EQ(Leaves(fronts, backs), expected);
      EXPECT_EQ(printer.documentsEnded, sides == JobSides::TwoPasses ? 2 : 1);
      if (sides == JobSides::BothSidesInOnePass) {  // without offsets
        EXPECT_EQ(printer.Drawn(PrintedOp::Line, 1, 2)[0].x, printer.Drawn(PrintedOp::Line, 1, 1)[0].x);
      }
    }
  }
}

TEST_F(BookletTest, ThePreviewDrawsWhatIsPrinted) {
  book = PeopleBook(60);
  settings.Printing.IncludeAddress = true;
  settings.Printing.XOffset = 0.25f;
  PrintAll();
  job.LinesPerPage = 18;
  const std::tuple<int16_t, bool, bool, JobSides> reports[] = {{0, false, true, JobSides::OneSide},
                                                                {1, false, true, JobSides::TwoPasses},
                                                                {1, true, true, JobSides::BothSidesInOnePass},
                                                                {1, true, false, JobSides::TwoPasses},
                                                                {2, true, true, JobSides::OneSide}};
  for (const auto& [reportType, onePass, printerCanDoIt, sides] : reports) {
    SCOPED_TRACE(reportType * 100 + onePass * 10 + printerCanDoIt);
    settings.Printing.ReportType = reportType;
    settings.Printing.BothSidesInOnePass = onePass;
    printer = RecordingPrinter();
    printer.bothSides = printerCanDoIt;
    PrintRecords(book, settings, job);
    EXPECT_EQ(printer.jobs, std::vector<JobSides>{sides});
    const std::vector<std::vector<PrintedOp>> printed = Pages();
    printer = RecordingPrinter();
    printer.bothSides = printerCanDoIt;
    prompt.prompts.clear();
    EXPECT_FALSE(PreviewRecords(book, settings, job));
    EXPECT_TRUE(prompt.prompts.empty());
    EXPECT_EQ(Pages(), printed);
  }
}

}  // namespace
