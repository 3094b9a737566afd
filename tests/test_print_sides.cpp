#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <tuple>

#include <QDir>
#include <QTemporaryDir>

#include "core/Document.h"
#include "platform/PlatformFailure.h"
#include "print/LineFile.h"
#include "print/PhoneBook.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

constexpr int kLinesPerPage = 18;
const std::string kCover = "Our Book";

// A leaf cut from a printed sheet: what its two sides show ("cover", a page
// number, or "" for nothing), the one read first first.
using Leaf = std::pair<std::string, std::string>;

int ReadingOrder(const std::string& shown) {
  if (shown == "cover") return 0;
  return shown.empty() ? 1 << 20 : std::stoi(shown);
}

// Where a small page lies on a sheet, seen from the front: row and column.
using Spot = std::pair<int, int>;

class BookletSidesTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallReadyPage(&prompt);
    settings.Printing.Title = kCover;
  }
  void TearDown() override { InstallReadyPage(nullptr); }

  void PrintBookletOf(int pages, JobSides sides) {
    LineFile file(kLinesPerPage);
    for (int k = 1; k <= pages * kLinesPerPage; ++k) file.Write(k % kLinesPerPage == 1 ? "line" : "");
    file.StartReading();
    PrintPhoneBook(printer, file, settings, sides);
    printer.EndDocument();
  }

  // What each small page of one printed side shows, by its spot as seen from
  // the front: a back is turned over on the long edge, so its left and right
  // change places.
  std::map<Spot, std::string> SideOf(int document, int page, bool back) const {
    std::map<Spot, std::string> side;
    static const std::regex number("-([0-9]+)-");
    for (const PrintedOp& op : printer.TextsOn(document, page)) {
      std::smatch match;
      const bool isNumber = std::regex_match(op.text, match, number);
      if (!isNumber && op.text != kCover) continue;
      double centre = op.x + RecordingPrinter::kCharWidth * static_cast<double>(op.text.size()) / 2;
      if (back) centre = printer.pageWidth - centre;
      const Spot spot{op.y < printer.pageHeight / 2 ? 0 : 1, centre < printer.pageWidth / 2 ? 0 : 1};
      side[spot] = isNumber ? match[1].str() : "cover";
    }
    return side;
  }

  // The leaves of all sheets, stacked in reading order.
  static std::vector<Leaf> Cut(const std::vector<std::pair<std::map<Spot, std::string>, std::map<Spot, std::string>>>& sheets) {
    std::vector<Leaf> leaves;
    for (const auto& [front, back] : sheets) {
      for (const auto& [spot, shown] : front) {
        Leaf leaf{shown, back.count(spot) ? back.at(spot) : ""};
        if (ReadingOrder(leaf.second) < ReadingOrder(leaf.first)) std::swap(leaf.first, leaf.second);
        leaves.push_back(leaf);
      }
    }
    std::sort(leaves.begin(), leaves.end(),
              [](const Leaf& a, const Leaf& b) { return ReadingOrder(a.first) < ReadingOrder(b.first); });
    return leaves;
  }

  static std::vector<Leaf> InPageOrder(int pages) {
    std::vector<Leaf> leaves{{"cover", ""}};
    for (int p = 1; p < pages; p += 2) leaves.emplace_back(std::to_string(p), std::to_string(p + 1));
    return leaves;
  }

  RecordingPrinter printer;
  FakeReadyPage prompt;
  ProgramSettings settings;
};

// One pass: sheet k's front is page 2k - 1 of the one document, its back page 2k.
TEST_F(BookletSidesTest, OnePassLeavesReadInPageOrderLikeTheTwoPassBooklet) {
  for (int pages : {4, 8, 12, 16, 20}) {
    SCOPED_TRACE(pages);
    printer = RecordingPrinter();
    prompt.prompts.clear();
    settings.Printing.XOffset = 0.5f;  // not used: the printer turns the sheet itself
    PrintBookletOf(pages, JobSides::BothSidesInOnePass);
    EXPECT_TRUE(prompt.prompts.empty());
    ASSERT_EQ(printer.Documents(), 1);
    const int sheets = printer.PagesOf(1) / 2;
    std::vector<std::pair<std::map<Spot, std::string>, std::map<Spot, std::string>>> onePass;
    for (int k = 1; k <= sheets; ++k) {
      onePass.emplace_back(SideOf(1, 2 * k - 1, false), SideOf(1, 2 * k, true));
      const std::vector<PrintedOp> front = printer.LinesOn(1, 2 * k - 1);
      const std::vector<PrintedOp> back = printer.LinesOn(1, 2 * k);
      ASSERT_EQ(front.size(), back.size());
      for (size_t m = 0; m < front.size(); ++m) EXPECT_DOUBLE_EQ(back[m].x, front[m].x);  // no offsets
    }
    EXPECT_EQ(Cut(onePass), InPageOrder(pages));

    // Two passes, the backs in one document after the first prompt: side B
    // page j is the back of sheet (sheets - j + 1).
    printer = RecordingPrinter();
    settings.Printing.XOffset = 0;
    prompt.answers = {{true, false}};
    PrintBookletOf(pages, JobSides::TwoPasses);
    std::vector<std::pair<std::map<Spot, std::string>, std::map<Spot, std::string>>> twoPasses;
    for (int k = 1; k <= sheets; ++k) twoPasses.emplace_back(SideOf(1, k, false), SideOf(2, sheets - k + 1, true));
    EXPECT_EQ(Cut(twoPasses), Cut(onePass));
  }
}

// Drawing operations without their document: what lands where, on which
// printed page counted from the first.
using Drawn = std::tuple<int, int, double, double, double, double, std::string>;

std::vector<Drawn> DrawnOn(const RecordingPrinter& printer) {
  std::vector<Drawn> drawn;
  std::pair<int, int> page{0, 0};
  int pages = 0;
  for (const PrintedOp& op : printer.ops) {
    if (std::make_pair(op.document, op.page) != page) ++pages;
    page = {op.document, op.page};
    drawn.emplace_back(pages, op.kind, op.x, op.y, op.x2, op.y2, op.text);
  }
  return drawn;
}

class PrintJobTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(&printer);
    InstallReadyPage(&prompt);
    NewDocument(book);
    for (int i = 0; i < 60; ++i) {
      AddressRecord& record = AddRecord(book, "Person " + std::to_string(i + 1));
      record.Phones[0] = "555-" + std::to_string(1000 + i);
      record.Address = "1 Main St\r\nTown";
      job.PrintList.push_back(i);
    }
    settings.Printing.IncludeAddress = true;
    job.LinesPerPage = kLinesPerPage;
  }
  void TearDown() override {
    InstallPrinter(nullptr);
    InstallReadyPage(nullptr);
  }

  std::vector<QString> Shown() const {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) texts.push_back(text);
    return texts;
  }

  RecordingPrinter printer;
  FakeReadyPage prompt;
  BookState book;
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(PrintJobTest, ThePreviewDrawsWhatIsPrinted) {
  struct Case {
    int16_t reportType;
    bool onePass;
  };
  for (const Case& c : {Case{0, false}, Case{1, false}, Case{1, true}, Case{2, false}}) {
    SCOPED_TRACE(c.reportType * 10 + c.onePass);
    settings.Printing.ReportType = c.reportType;
    settings.Printing.BothSidesInOnePass = c.onePass;
    settings.Printing.XOffset = 0.25f;
    printer = RecordingPrinter();
    PrintRecords(book, settings, job);
    const std::vector<Drawn> printed = DrawnOn(printer);
    printer = RecordingPrinter();
    prompt.prompts.clear();
    EXPECT_FALSE(PreviewRecords(book, settings, job));
    EXPECT_TRUE(prompt.prompts.empty());
    EXPECT_EQ(printer.previewHelpContext, 1651);
    EXPECT_FALSE(printed.empty());
    EXPECT_EQ(DrawnOn(printer), printed);
  }
}

TEST_F(PrintJobTest, AJobIsNamedAfterItsReportAndTheUsersTitle) {
  settings.Printing.ReportType = 1;
  settings.Printing.Title = "Friends";
  PrintRecords(book, settings, job);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(printer.jobs[0].report, "phone book");
  EXPECT_EQ(printer.jobs[0].title, "Friends");
  EXPECT_EQ(printer.jobs[0].sides, JobSides::TwoPasses);
  EXPECT_EQ(printer.sideBStartedAtDocument, 2);
  settings.Printing.BothSidesInOnePass = true;
  printer.bothSides = false;  // a printer that cannot turn the sheet prints in two passes
  PrintRecords(book, settings, job);
  EXPECT_EQ(printer.jobs[1].sides, JobSides::TwoPasses);
}

TEST_F(PrintJobTest, PdfFilesWrittenAreNamedInOneNotice) {
  printer.filesWritten = {"/home/u/Vantreo phone book side A.pdf", "/home/u/Vantreo phone book side B.pdf"};
  PrintRecords(book, settings, job);
  EXPECT_EQ(Shown(), std::vector<QString>{"The printout was saved as the PDF files\n"
                                          "/home/u/Vantreo phone book side A.pdf\n"
                                          "/home/u/Vantreo phone book side B.pdf"});
}

TEST_F(PrintJobTest, AQueueThatRefusesTheJobIsReportedWithItsReason) {
  printer.finishFailure = PlatformError{1286, "Destination \"Office\" is not accepting jobs"};
  printer.filesWritten = {"/never/written.pdf"};
  PrintRecords(book, settings, job);
  EXPECT_EQ(Shown(), std::vector<QString>{"Unable to complete printing. Error 1286 : Destination \"Office\" is "
                                          "not accepting jobs."});
}

TEST_F(PrintJobTest, AFailureOnTheWayAbandonsTheJobAndRemovesTheLineFile) {
  QTemporaryDir temporary;
  const QByteArray savedTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temporary.path().toLocal8Bit());
  printer.beforeText = [](const std::string& text) {
    if (text == "Person 30") throw PlatformFailure(PlatformError{482, "The printer went away"});
  };
  PrintRecords(book, settings, job);
  EXPECT_FALSE(PreviewRecords(book, settings, job));
  qputenv("TMPDIR", savedTmp);
  EXPECT_EQ(Shown(), std::vector<QString>(2, "Unable to complete printing. Error 482 : The printer went away."));
  EXPECT_EQ(printer.jobsAbandoned, 1);
  EXPECT_EQ(printer.jobsFinished, 0);
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
  EXPECT_EQ(Fakes().busy.depth, 0);
}

}  // namespace
