#include <gtest/gtest.h>

#include <algorithm>

#include "core/Document.h"
#include "print/Labels.h"
#include "print/LineFile.h"
#include "print/PageBody.h"
#include "print/PhoneList.h"
#include "print/PrintableText.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

constexpr PageRect kRect{1000, 2000, 5000, 8000};
constexpr int kMargin = 180;
constexpr int kRightEdge = kRect.Right - kMargin;

class PageBodyTest : public testing::Test {
 protected:
  // A line file holding lines, read from the start.
  LineFile& FileOf(std::initializer_list<std::string> lines, int linesPerPage = 18) {
    file = std::make_unique<LineFile>(linesPerPage);
    for (const std::string& line : lines) file->Write(line);
    file->StartReading();
    return *file;
  }

  std::vector<PrintedOp> Body() {
    std::vector<PrintedOp> texts = printer.Texts();
    texts.erase(texts.begin());  // the page number
    return texts;
  }

  RecordingPrinter printer;
  std::unique_ptr<LineFile> file;
};

TEST_F(PageBodyTest, PageNumberIsCentredAtTheFootInDigitsOnly) {
  PrintPageBody(printer, FileOf({}), kRect, 12, kMargin);
  ASSERT_EQ(printer.Texts().size(), 1u);
  const PrintedOp number = printer.Texts()[0];
  EXPECT_EQ(number.text, "-12-");
  EXPECT_DOUBLE_EQ(number.x, 1000 + (4000 - 400) / 2.0);
  EXPECT_DOUBLE_EQ(number.y, 8000 - 180 - 240);
}

TEST_F(PageBodyTest, LinesRunDownFromTheTopAndAreNotCutAtTheRightEdge) {
  const std::string wide(80, 'w');
  PrintPageBody(printer, FileOf({"first", "", wide}), kRect, 1, kMargin);
  const std::vector<PrintedOp> body = Body();
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0].text, "first");
  EXPECT_DOUBLE_EQ(body[0].x, 1180);
  EXPECT_DOUBLE_EQ(body[0].y, 2180);
  EXPECT_EQ(body[1].text, wide);
  EXPECT_DOUBLE_EQ(body[1].y, 2180 + 2 * 240);
}

TEST_F(PageBodyTest, TheLeadersAreWholeDotsEndingWhereTheNumberBegins) {
  PrintPageBody(printer, FileOf({"Ann\t555-1234"}), kRect, 1, kMargin);
  const std::vector<PrintedOp> body = Body();
  ASSERT_EQ(body.size(), 3u);
  EXPECT_EQ(body[0].text, "Ann");
  const double col = kRightEdge - 800;
  // (col - 1480) / 60 = 42.3: 42 dots.
  EXPECT_EQ(body[1].text, std::string(42, '.'));
  EXPECT_DOUBLE_EQ(body[1].x + printer.TextWidth(body[1].text), col);
  EXPECT_EQ(body[2].text, "555-1234");
  EXPECT_DOUBLE_EQ(body[2].x, col);
  EXPECT_DOUBLE_EQ(body[2].x + 800, kRightEdge);
}

TEST_F(PageBodyTest, ALeftPartTooLongIsCutBeforeTwoSpacesAndGetsNoLeaders) {
  PrintPageBody(printer, FileOf({std::string(50, 'n') + "\t12"}), kRect, 1, kMargin);
  const std::vector<PrintedOp> body = Body();
  ASSERT_EQ(body.size(), 2u);
  // col = 4620; 1180 + 100 * k + 200 <= 4620 leaves 32 characters.
  EXPECT_EQ(body[0].text, std::string(32, 'n'));
  EXPECT_EQ(body[1].text, "12");
  EXPECT_DOUBLE_EQ(body[1].x, 4620);
}

TEST_F(PageBodyTest, ALeftPartThatJustFitsKeepsItsLeaders) {
  // 34 characters and two spaces end 40 before col = 4820; 35 would not fit.
  PrintPageBody(printer, FileOf({std::string(34, 'n') + "\t"}), kRect, 1, kMargin);
  const std::vector<PrintedOp> body = Body();
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0].text, std::string(34, 'n'));
  EXPECT_EQ(body[1].text, "....");  // 240 / 60
  EXPECT_DOUBLE_EQ(body[1].x, 4820 - 240);
}

TEST_F(PageBodyTest, ARightPartWiderThanTheLineLeavesTheLeftEmpty) {
  const std::string number(60, '9');
  PrintPageBody(printer, FileOf({"Ann\t" + number}), kRect, 1, kMargin);
  const std::vector<PrintedOp> body = Body();
  ASSERT_EQ(body.size(), 1u);
  EXPECT_EQ(body[0].text, number);
  EXPECT_DOUBLE_EQ(body[0].x, kRightEdge - 6000);
}

TEST_F(PageBodyTest, OnlyTheSecondTabStaysInTheRightPart) {
  PrintPageBody(printer, FileOf({"a\tb\tc"}), kRect, 1, kMargin);
  EXPECT_EQ(Body().back().text, "b\tc");
}

TEST_F(PageBodyTest, ThePagesShareTheLinesAndAPageBeyondThemPrintsItsNumberAlone) {
  LineFile& lines = FileOf({"1", "2", "3", "4", "5"}, 2);
  PrintPageBody(printer, lines, kRect, 3, kMargin);
  ASSERT_EQ(Body().size(), 1u);
  EXPECT_EQ(Body()[0].text, "5");
  printer.ops.clear();
  PrintPageBody(printer, lines, kRect, 4, kMargin);
  EXPECT_TRUE(Body().empty());
  EXPECT_EQ(printer.Texts()[0].text, "-4-");
}

TEST_F(PageBodyTest, AFontWhoseDotHasNoWidthGetsNoLeaders) {
  struct NoDotPrinter : RecordingPrinter {
    double TextWidth(const std::string& text) override { return text == "." ? 0 : RecordingPrinter::TextWidth(text); }
  } noDot;
  PrintPageBody(noDot, FileOf({"Ann\t1"}), kRect, 1, kMargin);
  std::vector<std::string> texts;
  for (const PrintedOp& op : noDot.Texts()) texts.push_back(op.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"-1-", "Ann", "1"}));
}

TEST_F(PageBodyTest, AHugeLeftPartIsCutQuickly) {
  PrintPageBody(printer, FileOf({std::string(300000, 'x') + "\t1"}), kRect, 1, kMargin);
  EXPECT_EQ(Body()[0].text.size(), 33u);
}

class PhoneListTest : public testing::Test {
 protected:
  RecordingPrinter printer;
  ProgramSettings settings;
};

TEST_F(PhoneListTest, EachPageHasTheTitleTheDateTheBodyAndItsNumber) {
  settings.Printing.Title = "Friends";
  LineFile file(2);
  for (const char* line : {"Ann\t1", "Bob\t2", "Cy\t3"}) file.Write(line);
  file.StartReading();
  PrintPhoneList(printer, file, settings);

  EXPECT_EQ(printer.PagesOf(1), 2);
  EXPECT_EQ(printer.fontsSet, 2);  // the font is set again on every page
  const std::string date = TodayShortDate();
  for (int page = 1; page <= 2; ++page) {
    const std::vector<PrintedOp> texts = printer.TextsOn(1, page);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "Friends");
    EXPECT_DOUBLE_EQ(texts[0].x, (11520 - 700) / 2.0);
    EXPECT_DOUBLE_EQ(texts[0].y, (1220 - 240) / 2.0);
    EXPECT_EQ(texts[1].text, date);
    EXPECT_DOUBLE_EQ(texts[1].x + printer.TextWidth(date), 11520 - 1220);
    EXPECT_DOUBLE_EQ(texts[1].y, 15120 - 1220 - 240);
    EXPECT_EQ(texts[2].text, "-" + std::to_string(page) + "-");
    EXPECT_DOUBLE_EQ(texts[2].y, texts[1].y);
  }
  const PrintedOp cy = printer.TextOf("Cy");
  EXPECT_EQ(cy.page, 2);
  EXPECT_DOUBLE_EQ(cy.x, 1220);
  EXPECT_DOUBLE_EQ(cy.y, 1220);
  EXPECT_DOUBLE_EQ(printer.TextOf("3").x + 100, 11520 - 1220);
}

class LabelsTest : public testing::Test {
 protected:
  void SetUp() override { NewDocument(book); }

  void PrintLabelsOf(int count) {
    for (int i = 0; i < count; ++i) {
      AddRecord(book, "Name " + std::to_string(i + 1)).Address = "1 Main St\r\nTown";
      job.PrintList.push_back(i);
    }
    PrintLabels(printer, book, settings, job);
    printer.EndDocument();
  }

  RecordingPrinter printer;
  BookState book;
  ProgramSettings settings;
  PrintJob job;
};

constexpr double kTop = 15120 / 2.0 - 6720;  // 840

TEST_F(LabelsTest, FourteenLabelsFillOnePageInTwoColumnsOfSeven) {
  PrintLabelsOf(14);
  EXPECT_EQ(printer.Documents(), 1);
  EXPECT_EQ(printer.PagesOf(1), 1);  // no blank sheet after the new page that follows the 14th
  const PrintedOp first = printer.TextOf("Name 1");
  EXPECT_DOUBLE_EQ(first.x, 1080);
  EXPECT_DOUBLE_EQ(first.y, kTop + 270);
  const PrintedOp second = printer.TextOf("Name 2");
  EXPECT_DOUBLE_EQ(second.x, 6840);
  EXPECT_DOUBLE_EQ(second.y, kTop + 270);
  const PrintedOp last = printer.TextOf("Name 14");
  EXPECT_DOUBLE_EQ(last.x, 6840);
  EXPECT_DOUBLE_EQ(last.y, kTop + 6 * 1920 + 270);
  EXPECT_DOUBLE_EQ(printer.TextOf("Name 3").y, kTop + 1920 + 270);
}

TEST_F(LabelsTest, TheFifteenthStartsANewPageAtTheTopLeft) {
  PrintLabelsOf(15);
  EXPECT_EQ(printer.PagesOf(1), 2);
  const PrintedOp fifteenth = printer.TextOf("Name 15");
  EXPECT_EQ(fifteenth.page, 2);
  EXPECT_DOUBLE_EQ(fifteenth.x, 1080);
  EXPECT_DOUBLE_EQ(fifteenth.y, kTop + 270);
  EXPECT_EQ(printer.TextsOn(1, 2).size(), 3u);  // name and two address lines; the right label stays empty
}

TEST_F(LabelsTest, ABusinessGivesItsCompanyFirstAndLinesThatDoNotFitAreLeftOut) {
  AddressRecord& firm = AddRecord(book, "Jo Doe", "Acme");
  firm.PrintAs = kPrintAsBusiness;
  firm.Address = "1\r\n2\r\n3\r\n4\r\n5\r\n6";
  AddRecord(book, "Next").Phones[0] = "555";
  job.PrintList = {0, 1};
  PrintLabels(printer, book, settings, job);
  std::vector<std::string> texts;
  for (const PrintedOp& op : printer.Texts()) texts.push_back(op.text);
  // Six lines fit in 1920 twips from 270 down: 270 + 6 * 240 <= 1920.
  EXPECT_EQ(texts, (std::vector<std::string>{"Acme", "Jo Doe", "1", "2", "3", "4", "Next"}));
  EXPECT_DOUBLE_EQ(printer.TextOf("4").y, kTop + 270 + 5 * 240);
  EXPECT_DOUBLE_EQ(printer.TextOf("Next").y, kTop + 270);
}

TEST_F(LabelsTest, ControlCharactersInANameBecomeSpaces) {
  AddRecord(book, "Ann\tLee\r\n");
  job.PrintList = {0};
  PrintLabels(printer, book, settings, job);
  EXPECT_EQ(printer.Texts()[0].text, "Ann Lee  ");
}

}  // namespace
