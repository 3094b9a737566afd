#include <gtest/gtest.h>

#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "core/Document.h"
#include "platform/Printer.h"
#include "print/PrintRecords.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

// Without an installed printer the Qt printer writes each document as a PDF
// file in the documents folder and says where.
class PdfPrintTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer is installed";
    InstallPrinter(nullptr);
    InstallReadyPage(&readyPage);
    NewDocument(book);
    for (int i = 0; i < 40; ++i) {
      AddressRecord& record = AddRecord(book, "Person " + std::to_string(i + 1));
      record.Phones[0] = "555-" + std::to_string(1000 + i);
      record.Address = "1 Main St\r\nTown";
      job.PrintList.push_back(i);
    }
    settings.Printing.FontName = QStringLiteral("DejaVu Serif");
    settings.Printing.FontSize = 9;
    settings.Printing.ShowLetters = false;
  }
  void TearDown() override {
    InstallReadyPage(nullptr);
    for (const QString& path : Files()) QFile::remove(path);
  }

  // The files the notices named.
  std::vector<QString> Files() const {
    std::vector<QString> files;
    static const QRegularExpression path(QStringLiteral("PDF file\n(.+\\.pdf)$"));
    for (const auto& [kind, text] : Fakes().messages.shown) {
      const QRegularExpressionMatch match = path.match(text);
      if (kind == MessageKind::Notice && match.hasMatch()) files.push_back(match.captured(1));
    }
    return files;
  }

  static int PagesIn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString content = QString::fromLatin1(file.readAll());
    if (!content.startsWith(QLatin1String("%PDF"))) return -1;
    return static_cast<int>(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
  }

  FakeReadyPage readyPage;
  BookState book;
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(PdfPrintTest, APhoneListBecomesOnePdfAndTheUserIsToldWhere) {
  job.LinesPerPage = 60;
  PrintRecords(book, settings, job);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_EQ(PagesIn(Files()[0]), 1);
}

TEST_F(PdfPrintTest, FourteenLabelsGiveOnePageWithoutABlankSheet) {
  settings.Printing.ReportType = 2;
  job.PrintList.resize(14);
  PrintRecords(book, settings, job);
  ASSERT_EQ(Files().size(), 1u);
  EXPECT_EQ(PagesIn(Files()[0]), 1);
}

TEST_F(PdfPrintTest, ABookletGivesSideAAndEachPromptedSideBSheetAFileOfItsOwn) {
  settings.Printing.ReportType = 1;
  settings.Printing.IncludeAddress = true;
  job.LinesPerPage = 18;
  job.PrintList.resize(36);
  PrintRecords(book, settings, job);
  // Three entries of four lines a page: 12 small pages, two sheets.
  ASSERT_EQ(Files().size(), 3u);
  EXPECT_EQ(PagesIn(Files()[0]), 2);
  EXPECT_EQ(PagesIn(Files()[1]), 1);
  EXPECT_EQ(PagesIn(Files()[2]), 1);
  EXPECT_EQ(readyPage.prompts.size(), 2u);
}

}  // namespace
