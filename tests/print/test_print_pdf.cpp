#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/Document.h"
#include "platform/PdfFileNames.h"
#include "platform/Printer.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

// The Qt printer writing PDF files into a folder of the test's own.
class PdfPrintTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(nullptr);
    InstallReadyPage(&readyPage);
    settings.Printing.Printer.ToFile = true;
    settings.Printing.Printer.Folder = folder.path();
    ThePrinter().Choose(settings.Printing.Printer);
    book = PeopleBook(40);
    for (int i = 0; i < book.RecordCount(); ++i) job.PrintList.push_back(i);
    settings.Printing.FontName = QStringLiteral("DejaVu Serif");
    settings.Printing.FontSize = 9;
    settings.Printing.ShowLetters = false;
  }
  void TearDown() override { InstallReadyPage(nullptr); }

  QStringList Files() const { return QDir(folder.path()).entryList(QDir::Files, QDir::Name); }

  // The first notice, naming every file written.
  QString Notice() const {
    return Fakes().messages.shown.empty() ? QString() : Fakes().messages.shown[0].second;
  }

  int PagesIn(const QString& name) const {
    QFile file(QDir(folder.path()).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString content = QString::fromLatin1(file.readAll());
    if (!content.startsWith(QLatin1String("%PDF"))) return -1;
    return static_cast<int>(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
  }

  void PrintBooklet(bool onePass) {
    settings.Printing.ReportType = 1;
    settings.Printing.IncludeAddress = true;
    settings.Printing.BothSidesInOnePass = onePass;
    job.LinesPerPage = 18;
    job.PrintList.resize(36);  // three entries of four lines a page: 12 small pages, two sheets
    PrintRecords(book, settings, job);
  }

  QTemporaryDir folder;
  FakeReadyPage readyPage;
  BookState book;
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(PdfPrintTest, APhoneListBecomesOneNamedFileAndTheUserIsToldWhere) {
  job.LinesPerPage = 60;
  PrintRecords(book, settings, job);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Vantreo phone list \\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d\\.pdf$"))
                  .match(Files()[0])
                  .hasMatch())
      << Files()[0].toStdString();
  EXPECT_EQ(Notice(), "The printout was saved as the PDF file\n" + QDir(folder.path()).filePath(Files()[0]));
  EXPECT_EQ(PagesIn(Files()[0]), 1);
}

TEST_F(PdfPrintTest, FourteenLabelsGiveOnePageWithoutABlankSheet) {
  settings.Printing.ReportType = 2;
  job.PrintList.resize(14);
  PrintRecords(book, settings, job);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_EQ(PagesIn(Files()[0]), 1);
}

TEST_F(PdfPrintTest, ATwoPassBookletGivesASideAAndASideBFileWithoutPromptsAndOnePassOneFile) {
  PrintBooklet(false);
  const QStringList files = Files();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_TRUE(files[0].endsWith(QLatin1String(" side A.pdf")));
  EXPECT_EQ(files[1], QString(files[0]).replace(QLatin1String("side A"), QLatin1String("side B")));
  EXPECT_EQ(PagesIn(files[0]), 2);
  EXPECT_EQ(PagesIn(files[1]), 2);
  EXPECT_TRUE(readyPage.prompts.empty());
  EXPECT_TRUE(Notice().startsWith(QLatin1String("The printout was saved as the PDF files\n")));
  for (const QString& file : files) QFile::remove(QDir(folder.path()).filePath(file));
  PrintBooklet(true);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_EQ(PagesIn(Files()[0]), 4);  // each back after its front
}

TEST_F(PdfPrintTest, JobsInTheSameMinuteKeepTheirFiles) {
  const QDateTime now = QDateTime::currentDateTime();
  const QStringList first = NewPdfPaths(folder.path(), QStringLiteral("phone book"), {"side A", "side B"}, now);
  QFile(first[1]).open(QIODevice::WriteOnly);
  const QStringList second = NewPdfPaths(folder.path(), QStringLiteral("phone book"), {"side A", "side B"}, now);
  EXPECT_TRUE(second[0].endsWith(now.toString(QStringLiteral("yyyy-MM-dd hh-mm")) + " (2) side A.pdf"))
      << second[0].toStdString();
  EXPECT_FALSE(QFile::exists(second[1]));
}

// A full disk: writes beyond a small file size limit fail as they would.
TEST_F(PdfPrintTest, AFailedWriteIsReportedWithTheSystemsReasonAndLeavesNoFile) {
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  job.LinesPerPage = 60;
  PrintRecords(book, settings, job);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(Notice().toStdString(), "Unable to complete printing. Error 75 : File too large.");
  EXPECT_TRUE(Files().isEmpty());
}

}  // namespace
