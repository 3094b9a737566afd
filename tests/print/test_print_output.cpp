#include <sys/resource.h>

#include <csignal>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include "platform/ExitCleanup.h"
#include "platform/PdfFileNames.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/QtPrinter.h"
#include "print/SheetMarks.h"
#include "print/frmPrint.h"
#include "support/ModalDialogs.h"
#include "support/PrintFixture.h"
#include "support/SmallDisk.h"

namespace {

// The Qt printer writing PDF files into a folder of the test's own.
class PdfPrintTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    InstallPrinter(nullptr);
    settings.Printing.Printer = {{}, true, folder.path(), {}, false};
    ThePrinter().Choose(settings.Printing.Printer);
    book = PeopleBook(40);
    PrintAll();
    std::tie(settings.Printing.FontName, settings.Printing.FontSize) = std::make_pair(QStringLiteral("DejaVu Serif"), 9);
    settings.Printing.ShowLetters = false;
    job.LinesPerPage = 60;
  }

  QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

  // The pages of a PDF file; -1 for what is no PDF file.
  int PagesIn(const QString& name) const {
    const QString content = QString::fromLatin1(ReadBytes(QDir(folder.path()).filePath(name)));
    return content.startsWith("%PDF") ? static_cast<int>(content.count(QRegularExpression("/Type\\s*/Page[^s]"))) : -1;
  }

  QTemporaryDir folder;
};

TEST_F(PdfPrintTest, APhoneListAndFourteenLabelsBecomeANamedFileOfOnePageEachAndTheUserIsToldWhere) {
  job.PrintList.resize(14);
  for (const int16_t reportType : {0, 2}) {  // labels: without a blank sheet after the full page
    settings.Printing.ReportType = reportType;
    Print();
    ASSERT_EQ(Messages().size(), Files().size());
    const QString file = Files()[0];  // the new one: "labels" sorts before "phone list"
    EXPECT_TRUE(QRegularExpression("^Vantreo (phone list|labels) \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d\\.pdf$").match(file).hasMatch())
        << file.toStdString();
    EXPECT_EQ(Messages().back(), "The printout was saved as the PDF file\n" + QDir(folder.path()).filePath(file));
    EXPECT_EQ(PagesIn(file), 1);
  }
}

TEST_F(PdfPrintTest, ABookletPreviewShowsBothSidesTwoPassesGiveASideAAndASideBFileAndOnePassOneFile) {
  settings.Printing.ReportType = 1;  // 12 small pages on two sheets: three entries of four lines a page
  settings.Printing.IncludeAddress = true;
  job.LinesPerPage = 18;
  job.PrintList.resize(36);
  int pages = 0;
  QStringList shown;  // the page number and name the window shows, on the third page
  WhenModalShown([&pages, &shown](QDialog& preview) {
    pages = static_cast<PrintPreviewWindow&>(preview).PageCount();
    for (QAction* action : preview.findChildren<QAction*>())
      if (action->text() == "&Next Page") {
        action->trigger();
        action->trigger();
      }
    for (const QLabel* label : preview.findChildren<QLabel*>()) shown << label->text();
    preview.reject();
  });
  EXPECT_FALSE(Preview());
  EXPECT_EQ(std::make_pair(pages, Files().isEmpty()), std::make_pair(4, true));
  EXPECT_TRUE(shown.contains(" Page 3 of 4: Side B of sheet 2 ")) << shown.join('|').toStdString();
  Print();
  const QStringList files = Files();
  ASSERT_EQ(files.size(), 2);
  EXPECT_TRUE(files[0].endsWith(QLatin1String(" side A.pdf")));
  EXPECT_EQ(files[1], QString(files[0]).replace(QLatin1String("side A"), QLatin1String("side B")));
  EXPECT_EQ(std::make_pair(PagesIn(files[0]), PagesIn(files[1])), std::make_pair(2, 2));
  EXPECT_TRUE(prompt.prompts.empty());
  EXPECT_TRUE(Messages()[0].startsWith(QLatin1String("The printout was saved as the PDF files\n")));
  for (const QString& file : files) QFile::remove(QDir(folder.path()).filePath(file));
  settings.Printing.BothSidesInOnePass = true;
  Print();
  ASSERT_EQ(Files().size(), 1);
  EXPECT_EQ(PagesIn(Files()[0]), 4);  // each back after its front
}

// The pages chosen in the system dialog are the pages drawn, so files and
// queues alike get only those.
TEST_F(PdfPrintTest, OnlyTheChosenPagesOfAPhoneListOrOfLabelsAreWritten) {
  settings.Printing.IncludeAddress = false;
  job.LinesPerPage = 15;  // 40 records: three pages of the list, and of labels
  job.Copies.PageRanges = QStringLiteral("1,3");
  for (const int16_t reportType : {0, 2}) {
    settings.Printing.ReportType = reportType;
    Print();
    ASSERT_EQ(Files().size(), 1u);
    EXPECT_EQ(PagesIn(Files()[0]), 2) << reportType;
    QFile::remove(QDir(folder.path()).filePath(Files()[0]));
  }
}

// Cut marks are drawn half a point wide in black, not as hairlines: the ink
// of nine crosses of two 150-twip arms, rendered at 288 dpi (a twip is a
// fifth of a pixel), is nine times two 30 by 2 pixel arms less their crossing.
TEST_F(PdfPrintTest, CutMarksAreHalfAPointWideAndBlack) {
  QtPrinter pdf(OutputFor(settings.Printing.Printer));
  pdf.StartJob(QStringLiteral("alignment test"), {}, JobSides::OneSide, {});
  SheetRects rects{};
  InitSheetRects(pdf, rects);
  DrawCropMarks(pdf, rects, true, {});
  const QStringList files = pdf.FinishJob().Files;
  ASSERT_EQ(files.size(), 1);
  QProcess render;
  render.start(QStringLiteral("pdftoppm"), {"-r", "288", "-gray", files[0], QDir(folder.path()).filePath("page")});
  if (!render.waitForFinished(30000) || render.exitCode() != 0) GTEST_SKIP() << "pdftoppm cannot render the page here";
  const QImage page(QDir(folder.path()).filePath(QStringLiteral("page-1.pgm")));
  ASSERT_FALSE(page.isNull());
  double ink = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) ink += (255 - qGray(page.pixel(x, y))) / 255.0;
  EXPECT_NEAR(ink, 9 * (2 * 30 * 2 - 2 * 2), 9 * 116 * 0.15);
}

// Without a printer installed, and when PDF files are taken for a print
// service that is not running, the print dialog writes its printout into
// the Documents folder of the user's home.
TEST_F(PrintTest, WithoutAPrinterThePrintoutLandsInTheDocumentsFolder) {
  QTemporaryDir home;
  const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QFile::encodeName(home.path()));
  qunsetenv("XDG_CONFIG_HOME");
  InstallPrinter(nullptr);
  book = PeopleBook(5);
  settings.Printing.FontName = QStringLiteral("DejaVu Serif");
  const QDir documents(home.filePath(QStringLiteral("Documents")));
  for (const bool serviceRunning : {true, false}) {
    setup.serviceRunning = serviceRunning;
    Fakes().messages.shown.clear();
    Fakes().messages.answers = {MessageAnswer::OK};  // PDF files instead of a printer
    frmPrint(book, settings).cmdOK_Click();
    const QStringList printed = documents.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ASSERT_EQ(printed.size(), 1) << "service running: " << serviceRunning;
    EXPECT_EQ(Messages().back(), "The printout was saved as the PDF file\n" + documents.filePath(printed[0]));
    EXPECT_TRUE(ReadBytes(documents.filePath(printed[0])).starts_with("%PDF"));
    QFile::remove(documents.filePath(printed[0]));
  }
  qputenv("HOME", savedHome);
  if (!savedConfig.isEmpty()) qputenv("XDG_CONFIG_HOME", savedConfig);
}

// A job's files are named by the report and the minute; a later job in the
// same minute whose name any earlier file holds gets the next free number.
TEST_F(PdfPrintTest, JobsInTheSameMinuteKeepTheirFiles) {
  const QDateTime afternoon(QDate(2026, 1, 2), QTime(15, 4, 59));
  // The files there already, the parts of the new job, and the names it gets.
  const std::tuple<QStringList, QStringList, QStringList> cases[] = {
      {{}, {}, {"Vantreo phone list 2026-01-02 15-04.pdf"}},
      {{"Vantreo phone list 2026-01-02 15-04.pdf"}, {}, {"Vantreo phone list 2026-01-02 15-04 (2).pdf"}},
      {{"Vantreo phone list 2026-01-02 15-04.pdf", "Vantreo phone list 2026-01-02 15-04 (2).pdf"}, {},
       {"Vantreo phone list 2026-01-02 15-04 (3).pdf"}},
      {{"Vantreo phone list 2026-01-02 15-03.pdf"}, {}, {"Vantreo phone list 2026-01-02 15-04.pdf"}},
      {{"Vantreo phone list 2026-01-02 15-04 side B.pdf"}, {"side A", "side B"},
       {"Vantreo phone list 2026-01-02 15-04 (2) side A.pdf", "Vantreo phone list 2026-01-02 15-04 (2) side B.pdf"}},
  };
  for (const auto& [existing, parts, expected] : cases) {
    QTemporaryDir there;
    for (const QString& name : existing) QFile(QDir(there.path()).filePath(name)).open(QIODevice::WriteOnly);
    QStringList names;
    for (const QString& path : NewPdfPaths(there.path(), QStringLiteral("phone list"), parts, afternoon))
      names << QFileInfo(path).fileName();
    EXPECT_EQ(names, expected) << existing.join('|').toStdString();
  }
}

// A full disk: writes beyond a small file size limit fail as they would.
TEST_F(PdfPrintTest, AFailedWriteIsReportedWithTheSystemsReasonAndLeavesNoFile) {
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{4096, saved.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  Print();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(Messages(), std::vector<QString>{"Unable to complete printing. Error 75 : File too large."});
  EXPECT_TRUE(Files().isEmpty());
}

// A disk that fills while a small or a large booklet is written, and a full
// temporary folder while a phone list goes to a queue: each names the
// system's own reason and leaves no file behind.
TEST_F(PdfPrintTest, AFullDiskIsNamedWithTheSystemsReasonForASmallAndALargeBookletAndAFullTemporaryFolder) {
  std::tie(settings.Printing.ReportType, settings.Printing.IncludeAddress, job.LinesPerPage) = std::make_tuple(1, true, 18);
  for (const auto& [records, kibibytes] : {std::make_pair(40, 16), std::make_pair(2000, 96)}) {  // about 25 and 900 KiB
    SmallDisk disk(kibibytes);
    if (!disk.Problem().isEmpty()) GTEST_SKIP() << "no small disk: " << disk.Problem().toStdString();
    settings.Printing.Printer.Folder = disk.Path();
    ThePrinter().Choose(settings.Printing.Printer);
    book = PeopleBook(records);
    PrintAll();
    Print();
    EXPECT_TRUE(QDir(disk.Path()).isEmpty()) << records;
  }
  SmallDisk temporary(16);
  const QByteArray savedTmp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temporary.Path().toLocal8Bit());
  settings.Printing.ReportType = 0;
  ThePrinter().Choose({QStringLiteral("VantreoNowhere"), false, {}, {}, false});
  Print();
  qputenv("TMPDIR", savedTmp);
  EXPECT_TRUE(QDir(temporary.Path()).isEmpty());
  EXPECT_EQ(Messages(), std::vector<QString>(3, "Unable to complete printing. Error 75 : No space left on device."));
}

TEST_F(PdfPrintTest, ASideBThatCannotBeWrittenTakesSideAWithIt) {
  QtPrinter pdf(OutputFor(settings.Printing.Printer));
  pdf.StartJob(QStringLiteral("phone book"), {}, JobSides::TwoPasses, {});
  pdf.PrintText("front");
  pdf.StartSideB();
  ASSERT_EQ(Files().size(), 1);
  QDir(folder.path()).mkdir(QString(Files()[0]).replace(QLatin1String("side A"), QLatin1String("side B")));
  EXPECT_THROW(pdf.PrintText("back"), PlatformFailure);
  pdf.AbandonJob();
  EXPECT_TRUE(Files().isEmpty());
}

// A document names its report's title (in UTF-16 with its mark, as PDF text
// strings outside Latin letters are); a job given up leaves only finished files.
TEST_F(PdfPrintTest, AFileCarriesItsTitleAndAnAbandonedJobLeavesNoHalfDrawnFile) {
  QtPrinter pdf(OutputFor(settings.Printing.Printer));
  pdf.StartJob(QStringLiteral("phone list"), QStringLiteral("Café Friends"), JobSides::OneSide, {});
  pdf.PrintText("whole");
  const QStringList finished = pdf.FinishJob().Files;
  ASSERT_EQ(finished.size(), 1);
  QStringEncoder utf16(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
  const QByteArray title = utf16.encode(QStringLiteral("Café Friends"));
  EXPECT_TRUE(QByteArray::fromStdString(ReadBytes(finished[0])).contains(title));
  pdf.StartJob(QStringLiteral("phone list"), QStringLiteral("Café Friends"), JobSides::OneSide, {});
  pdf.PrintText("half");
  ASSERT_EQ(Files().size(), 2);
  pdf.AbandonJob();
  EXPECT_EQ(Files(), QStringList{QFileInfo(finished[0]).fileName()});
}

TEST_F(PdfPrintTest, AProgramEndedDuringAJobLeavesNeitherItsPrivateFolderNorAHalfWrittenFile) {
  LineFile lines(18);
  lines.Write("Ann");
  QtPrinter pdf(OutputFor(settings.Printing.Printer));
  pdf.StartJob(QStringLiteral("phone list"), {}, JobSides::OneSide, {});
  pdf.PrintText("half");
  ASSERT_TRUE(Files().size() == 1 && QFile::exists(lines.Path()));
  RunExitCleanups();
  EXPECT_TRUE(Files().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(QFileInfo(lines.Path()).path()));
  pdf.AbandonJob();
}

}  // namespace
