#include <gtest/gtest.h>

#include <array>
#include <regex>

#include "print/LineFile.h"
#include "print/PhoneBook.h"
#include "print/PrintableText.h"
#include "print/SheetMarks.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"

namespace {

// With the recording printer's 11520 x 15120 page, the block is centred on (5760, 7560).
constexpr SheetRects kSheet{{{5760, 2160, 9720, 7560}, {1800, 2160, 5760, 7560}, {5760, 7560, 9720, 12960},
                             {1800, 7560, 5760, 12960}}};
constexpr int kLinesPerPage = 18;

// The page numbers a printed sheet shows in rects 1 to 4; 0 for an empty rect.
using Sheet = std::array<int, 4>;

class BookletTest : public testing::Test {
 protected:
  void SetUp() override {
    prompt.printer = &printer;
    InstallReadyPage(&prompt);
    settings.Printing.Title = "Our Book";
  }
  void TearDown() override { InstallReadyPage(nullptr); }

  // Prints a booklet of pages full pages whose first lines name them ("P1", ...).
  void PrintBookletOf(int pages) {
    LineFile file(kLinesPerPage);
    for (int page = 1; page <= pages; ++page)
      for (int k = 1; k <= kLinesPerPage; ++k) file.Write(k == 1 ? "P" + std::to_string(page) : "");
    PrintFile(file);
  }

  void PrintFile(LineFile& file) {
    file.StartReading();
    PrintPhoneBook(printer, file, settings);
    printer.EndDocument();
  }

  Sheet SheetOf(int document, int page, int xShift = 0) const {
    Sheet sheet{};
    static const std::regex number("-([0-9]+)-");
    for (const PrintedOp& op : printer.TextsOn(document, page)) {
      std::smatch match;
      if (!std::regex_match(op.text, match, number)) continue;
      const bool left = op.x - xShift < 5760;
      const bool top = op.y < 7560;
      sheet[static_cast<size_t>((top ? 0 : 2) + (left ? 1 : 0))] = std::stoi(match[1]);
    }
    return sheet;
  }

  RecordingPrinter printer;
  FakeReadyPage prompt;
  ProgramSettings settings;
};

TEST_F(BookletTest, SheetRectsAreCentredOnThePage) {
  SheetRects rects{};
  InitSheetRects(printer, rects);
  EXPECT_EQ(rects, kSheet);
}

TEST_F(BookletTest, EightPagesLeaveTheLowerRowOfTheSecondSheetEmpty) {
  PrintBookletOf(8);
  // Side A in one document, then each prompted side B sheet in its own.
  ASSERT_EQ(printer.Documents(), 3);
  EXPECT_EQ(SheetOf(1, 1), (Sheet{0, 0, 1, 8}));  // the cover is no numbered page
  EXPECT_EQ(SheetOf(1, 2), (Sheet{3, 6, 0, 0}));
  EXPECT_EQ(SheetOf(2, 1), (Sheet{5, 4, 0, 0}));
  EXPECT_EQ(SheetOf(3, 1), (Sheet{0, 0, 7, 2}));
  EXPECT_EQ(printer.TextOf("P3").x, 5760 + 180);
  EXPECT_EQ(printer.TextOf("P3").y, 2160 + 180);
  EXPECT_EQ(printer.TextOf("P6").x, 1800 + 180);
  EXPECT_EQ(printer.LinesOn(1, 1).size(), 18u);  // nine marks of two strokes
  EXPECT_EQ(printer.LinesOn(1, 2).size(), 12u);  // only the upper six
  EXPECT_EQ(printer.LinesOn(2, 1).size(), 12u);
}

TEST_F(BookletTest, TwelvePagesFillBothSheets) {
  PrintBookletOf(12);
  EXPECT_EQ(SheetOf(1, 1), (Sheet{0, 0, 1, 12}));
  EXPECT_EQ(SheetOf(1, 2), (Sheet{3, 10, 5, 8}));
  EXPECT_EQ(SheetOf(2, 1), (Sheet{9, 4, 7, 6}));
  EXPECT_EQ(SheetOf(3, 1), (Sheet{0, 0, 11, 2}));
  EXPECT_EQ(printer.LinesOn(1, 2).size(), 18u);
}

TEST_F(BookletTest, NineLinesGiveOneSheetWithPagesTwoToFourNumberedOnly) {
  LineFile file(kLinesPerPage);
  for (int k = 1; k <= 9; ++k) file.Write("line " + std::to_string(k));
  PrintFile(file);
  ASSERT_EQ(printer.Documents(), 2);
  EXPECT_EQ(printer.PagesOf(1), 1);
  EXPECT_EQ(SheetOf(1, 1), (Sheet{0, 0, 1, 4}));
  EXPECT_EQ(SheetOf(2, 1), (Sheet{0, 0, 3, 2}));
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(printer.TextOf("line " + std::to_string(k)).document, 1);
  // Side B holds nothing but the numbers of pages 3 and 2.
  EXPECT_EQ(printer.TextsOn(2, 1).size(), 2u);
  EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"Page 1 - Side B"}));
}

TEST_F(BookletTest, TheCoverShowsTheWrappedTitleAndTheDate) {
  settings.Printing.Title = "The Family And Friends Telephone Book";  // 37 characters: two lines
  PrintBookletOf(4);
  const PrintedOp first = printer.TextOf("The Family And Friends Telephone");
  EXPECT_DOUBLE_EQ(first.x, (3960 - 3200) / 2.0 + 5760);
  EXPECT_DOUBLE_EQ(first.y, 1350 + 2160);
  const PrintedOp second = printer.TextOf("Book");
  EXPECT_DOUBLE_EQ(second.y, 1350 + 2160 + 240);
  const std::string date = TodayShortDate();
  const PrintedOp shown = printer.TextOf(date);
  EXPECT_DOUBLE_EQ(shown.x, (3960 - printer.TextWidth(date)) / 2 + 5760);
  EXPECT_DOUBLE_EQ(shown.y, 2160 + 3240);
}

TEST_F(BookletTest, ATitleLongerThanTheCoverIsCutAfterThirteenLines) {
  std::string title;
  for (int k = 0; k < 20; ++k) title += "T" + std::to_string(k) + std::string(30, 'x') + " ";
  settings.Printing.Title = title;
  PrintBookletOf(4);
  int titleLines = 0;
  for (const PrintedOp& op : printer.TextsOn(1, 1)) titleLines += op.text.size() > 30 ? 1 : 0;
  EXPECT_EQ(titleLines, 13);  // 240 * 14 > 3240
}

TEST_F(BookletTest, TheSideBPromptNamesTheHighestSheetFirst) {
  PrintBookletOf(8);
  EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"Page 2 - Side B", "Page 1 - Side B"}));
  // Side A had gone to the printer before the first question.
  EXPECT_EQ(prompt.documentsEndedAtPrompt, (std::vector<int>{1, 2}));
}

TEST_F(BookletTest, AbortAtTheFirstPromptPrintsNoBacks) {
  prompt.answers = {{false, true}};
  PrintBookletOf(8);
  EXPECT_EQ(printer.Documents(), 1);
  EXPECT_EQ(prompt.prompts.size(), 1u);
}

TEST_F(BookletTest, ClearingPromptForEachPagePrintsTheOtherBacksInOneDocument) {
  prompt.answers = {{true, false}};
  PrintBookletOf(16);  // three sheets
  EXPECT_EQ(prompt.prompts, (std::vector<std::string>{"Page 3 - Side B"}));
  ASSERT_EQ(printer.Documents(), 2);
  EXPECT_EQ(printer.PagesOf(2), 3);
  EXPECT_EQ(SheetOf(2, 1), (Sheet{9, 8, 0, 0}));
  EXPECT_EQ(SheetOf(2, 2), (Sheet{13, 4, 11, 6}));
  EXPECT_EQ(SheetOf(2, 3), (Sheet{0, 0, 15, 2}));
}

TEST_F(BookletTest, AnXOffsetOfAHalfInchMovesSideBSevenHundredTwentyTwipsRight) {
  settings.Printing.XOffset = 0.5f;
  PrintBookletOf(4);
  const std::vector<PrintedOp> front = printer.LinesOn(1, 1);
  const std::vector<PrintedOp> back = printer.LinesOn(2, 1);
  ASSERT_EQ(front.size(), back.size());
  for (size_t k = 0; k < front.size(); ++k) {
    EXPECT_DOUBLE_EQ(back[k].x, front[k].x + 720);
    EXPECT_DOUBLE_EQ(back[k].x2, front[k].x2 + 720);
    EXPECT_DOUBLE_EQ(back[k].y, front[k].y);
  }
  EXPECT_EQ(SheetOf(2, 1, 720), (Sheet{0, 0, 3, 2}));
  EXPECT_DOUBLE_EQ(printer.TextOf("-3-").x, 5760 + 720 + (3960 - 300) / 2.0);
}

TEST_F(BookletTest, ZeroOffsetsLeaveSideBBehindSideA) {
  PrintBookletOf(4);
  const std::vector<PrintedOp> front = printer.LinesOn(1, 1);
  const std::vector<PrintedOp> back = printer.LinesOn(2, 1);
  ASSERT_EQ(front.size(), back.size());
  for (size_t k = 0; k < front.size(); ++k) EXPECT_DOUBLE_EQ(back[k].x, front[k].x);
}

TEST_F(BookletTest, OffsetsRoundToWholeTwips) {
  SheetRects rects = kSheet;
  ApplyOffsets(rects, -0.25f, 0.01f);  // -360 and 14.4
  EXPECT_EQ(rects[0], (PageRect{5400, 2174, 9360, 7574}));
}

TEST_F(BookletTest, CropMarksAreCrossesAtTheCornersAndTheCaptionAbove) {
  DrawCropMarks(printer, kSheet, true, "Caption");
  const std::vector<PrintedOp> lines = printer.LinesOn(1, 1);
  ASSERT_EQ(lines.size(), 18u);
  const std::vector<std::pair<int, int>> centres{{9720, 2160}, {5760, 2160}, {1800, 2160},
                                                 {9720, 7560}, {5760, 7560}, {1800, 7560},
                                                 {9720, 12960}, {5760, 12960}, {1800, 12960}};
  for (size_t k = 0; k < centres.size(); ++k) {
    const auto [x, y] = centres[k];
    const PrintedOp& upright = lines[2 * k];
    const PrintedOp& across = lines[2 * k + 1];
    EXPECT_EQ(std::tie(upright.x, upright.y, upright.x2, upright.y2), std::make_tuple(x * 1.0, y - 75.0, x * 1.0, y + 75.0));
    EXPECT_EQ(std::tie(across.x, across.y, across.x2, across.y2), std::make_tuple(x - 75.0, y * 1.0, x + 75.0, y * 1.0));
  }
  const PrintedOp caption = printer.TextOf("Caption");
  EXPECT_DOUBLE_EQ(caption.x, (11520 - 700) / 2.0);
  EXPECT_DOUBLE_EQ(caption.y, (2160 - 240) / 2.0);
}

}  // namespace
