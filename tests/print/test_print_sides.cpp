#include <gtest/gtest.h>

#include <map>
#include <regex>

#include <QDir>
#include <QTemporaryDir>

#include "platform/PlatformFailure.h"
#include "print/LineFile.h"
#include "print/PhoneBook.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

// What one printed side shows at each small page spot (row, column as seen
// from the sheet's front): "cover" or a page number. A back is turned over
// on the long edge, so its left and right change places.
using Side = std::map<std::pair<int, int>, int>;

Side SideOf(const RecordingPrinter& printer, int document, int page, bool back) {
  Side side;
  static const std::regex number("-([0-9]+)-");
  for (const PrintedOp& op : printer.TextsOn(document, page)) {
    std::smatch match;
    const bool isNumber = std::regex_match(op.text, match, number);
    if (!isNumber && op.text != "Our Book") continue;
    double centre = op.x + RecordingPrinter::kCharWidth * static_cast<double>(op.text.size()) / 2;
    if (back) centre = printer.pageWidth - centre;
    side[{op.y < printer.pageHeight / 2, centre < printer.pageWidth / 2}] = isNumber ? std::stoi(match[1]) : 0;
  }
  return side;
}

// Cuts the sheets (front, back) into leaves: the pages on either side of
// each, read first first (0 the cover, -1 nothing), stacked in reading order.
std::vector<std::pair<int, int>> Cut(const std::vector<std::pair<Side, Side>>& sheets) {
  std::vector<std::pair<int, int>> leaves;
  for (const auto& [front, back] : sheets)
    for (const auto& [spot, page] : front) {
      const int behind = back.count(spot) ? back.at(spot) : -1;
      leaves.emplace_back(behind >= 0 ? std::min(page, behind) : page, behind >= 0 ? std::max(page, behind) : -1);
    }
  std::sort(leaves.begin(), leaves.end());
  return leaves;
}

TEST(BookletSidesTest, OnePassLeavesReadInPageOrderLikeTheTwoPassBooklet) {
  FakeReadyPage prompt;
  InstallReadyPage(&prompt);
  ProgramSettings settings;
  settings.Printing.Title = "Our Book";
  for (int pages : {4, 8, 12, 16, 20}) {
    SCOPED_TRACE(pages);
    std::vector<std::pair<int, int>> expected{{0, -1}};
    for (int p = 1; p < pages; p += 2) expected.emplace_back(p, p + 1);
    std::vector<std::pair<int, int>> leaves[2];
    for (const JobSides sides : {JobSides::BothSidesInOnePass, JobSides::TwoPasses}) {
      RecordingPrinter printer;
      prompt.answers = {{true, false}};  // two passes: the backs in one document
      settings.Printing.XOffset = sides == JobSides::TwoPasses ? 0.0f : 0.5f;  // one pass ignores it
      LineFile file(18);
      for (int k = 0; k < pages * 18; ++k) file.Write(k % 18 ? "" : "line");
      file.StartReading();
      PrintPhoneBook(printer, file, settings, sides);
      printer.EndDocument();
      const bool onePass = sides == JobSides::BothSidesInOnePass;
      const int sheets = (pages / 2 + 1) / 4 + 1;
      ASSERT_EQ(printer.PagesOf(1), onePass ? 2 * sheets : sheets);
      std::vector<std::pair<Side, Side>> cut;
      for (int k = 1; k <= sheets; ++k)
        cut.emplace_back(onePass ? SideOf(printer, 1, 2 * k - 1, false) : SideOf(printer, 1, k, false),
                         onePass ? SideOf(printer, 1, 2 * k, true) : SideOf(printer, 2, sheets - k + 1, true));
      if (onePass) {
        EXPECT_EQ(printer.Documents(), 1);
        EXPECT_EQ(printer.LinesOn(1, 2)[0].x, printer.LinesOn(1, 1)[0].x);  // no offsets
      }
      leaves[onePass] = Cut(cut);
    }
    EXPECT_EQ(leaves[1], expected);
    EXPECT_EQ(leaves[0], expected);
  }
  EXPECT_EQ(prompt.prompts.size(), 5u);  // the two-pass runs only
  InstallReadyPage(nullptr);
}

// What was drawn where, on which printed page counted from the first.
using Drawn = std::tuple<int, int, double, double, double, double, std::string>;

std::vector<Drawn> DrawnOn(const RecordingPrinter& printer) {
  std::vector<Drawn> drawn;
  std::pair<int, int> page{0, 0};
  int pages = 0;
  for (const PrintedOp& op : printer.ops) {
    pages += std::make_pair(op.document, op.page) != page;
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
    for (int i = 0; i < book.RecordCount(); ++i) job.PrintList.push_back(i);
    settings.Printing.IncludeAddress = true;
    job.LinesPerPage = 18;
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
  BookState book = PeopleBook(60);
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(PrintJobTest, ThePreviewDrawsWhatIsPrinted) {
  for (const auto& [reportType, onePass] : std::vector<std::pair<int16_t, bool>>{{0, false}, {1, false}, {1, true}, {2, false}}) {
    SCOPED_TRACE(reportType * 10 + onePass);
    settings.Printing.ReportType = reportType;
    settings.Printing.BothSidesInOnePass = onePass;
    settings.Printing.XOffset = 0.25f;
    printer = RecordingPrinter();
    PrintRecords(book, settings, job);
    const std::vector<Drawn> printed = DrawnOn(printer);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].sides, reportType != 1 ? JobSides::OneSide
                                                     : onePass ? JobSides::BothSidesInOnePass : JobSides::TwoPasses);
    printer = RecordingPrinter();
    prompt.prompts.clear();
    EXPECT_FALSE(PreviewRecords(book, settings, job));
    EXPECT_TRUE(prompt.prompts.empty());
    EXPECT_EQ(DrawnOn(printer), printed);
  }
}

TEST_F(PrintJobTest, PdfFilesAreNamedInOneNoticeAndFailuresWithTheirReason) {
  printer.filesWritten = {"/u/Vantreo phone list side A.pdf", "/u/Vantreo phone list side B.pdf"};
  PrintRecords(book, settings, job);
  printer.finishFailure = PlatformError{1286, "Destination \"Office\" is not accepting jobs"};
  PrintRecords(book, settings, job);
  EXPECT_EQ(Shown(), (std::vector<QString>{
                         "The printout was saved as the PDF files\n/u/Vantreo phone list side A.pdf\n"
                         "/u/Vantreo phone list side B.pdf",
                         "Unable to complete printing. Error 1286 : Destination \"Office\" is not accepting jobs."}));
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
  EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}

}  // namespace
