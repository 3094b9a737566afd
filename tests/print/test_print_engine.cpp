#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "platform/PlatformFailure.h"
#include "print/LineFile.h"
#include "print/LineFileWriter.h"
#include "print/PrintList.h"
#include "print/PrintRecords.h"
#include "print/PrinterFont.h"
#include "print/WrapText.h"
#include "support/FakePlatform.h"
#include "support/RecordingPrinter.h"
#include "support/TestBooks.h"

namespace {

const std::string kAll(1, static_cast<char>(kSelectAllGroups));
const std::string kUngrouped(1, static_cast<char>(kSelectUngrouped));

class PrintEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    InstallPrinter(&printer);
    book = BookWithGroups({"Family", "Work", "Club"});
  }
  void TearDown() override { InstallPrinter(nullptr); }

  std::vector<std::string> Wrap(const std::string& text, double width) {
    std::vector<std::string> lines;
    WrapText(printer, text, lines, width);
    return lines;
  }

  // The lines the job's records give, read back from a line file.
  std::vector<std::string> Lines(int linesPerPage) {
    job.LinesPerPage = static_cast<int16_t>(linesPerPage);
    LineFile file(linesPerPage);
    WriteLineFile(printer, book, settings, job, file);
    file.StartReading();
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= file.TotalLines(); ++i) lines.push_back(file.ReadLine(i));
    return lines;
  }

  void PrintAll() {
    job.PrintList.clear();
    for (int r = 0; r < book.RecordCount(); ++r) job.PrintList.push_back(r);
  }

  RecordingPrinter printer;
  BookState book;
  ProgramSettings settings;
  PrintJob job;
};

TEST_F(PrintEngineTest, SelectionOfAllUngroupedAndSeveralGroups) {
  AddressRecord none;
  none.Group = kNoGroup;
  AddressRecord work;
  work.Group = 1;
  AddressRecord several;
  StoreGroupSet(several, std::string{0, 2});
  const std::string workOnly(1, '\1');
  const std::string club(1, '\2');

  for (const AddressRecord* record : {&none, &work, &several}) EXPECT_TRUE(RecordInSelection(*record, kAll));
  EXPECT_TRUE(RecordInSelection(none, kUngrouped));
  EXPECT_FALSE(RecordInSelection(work, kUngrouped));
  EXPECT_FALSE(RecordInSelection(several, kUngrouped));
  EXPECT_TRUE(RecordInSelection(work, workOnly));
  EXPECT_FALSE(RecordInSelection(several, workOnly));
  EXPECT_TRUE(RecordInSelection(several, club));
  EXPECT_TRUE(RecordInSelection(several, workOnly + club));
  EXPECT_TRUE(RecordInSelection(work, club + kAll));
}

TEST_F(PrintEngineTest, BuildPrintListTakesMatchingRecordsInDocumentOrderWithTheBusyPointer) {
  AddRecord(book, "A").Group = 1;
  AddRecord(book, "B").Group = kNoGroup;
  AddRecord(book, "C").Group = 1;
  job.GroupSelection = std::string(1, '\1');
  EXPECT_TRUE(BuildPrintList(book, job));
  EXPECT_EQ(job.PrintList, (std::vector<int>{0, 2}));
  EXPECT_EQ(Fakes().busy.timesShown, 1);
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(PrintEngineTest, SortByCompanyOfBusinessesAndLastNameOfPersons) {
  AddRecord(book, "Mary Zimmer");
  AddRecord(book, "Zed Zulu", "Bolt Ltd").PrintAs = kPrintAsBusiness;
  AddRecord(book, "John Adams");
  AddRecord(book, "Anne Carter", "Zebra Inc");  // a person: the company does not count
  PrintAll();
  SortPrintList(book, job);
  EXPECT_EQ(job.PrintList, (std::vector<int>{2, 1, 3, 0}));
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(PrintEngineTest, KeysEqualButForCaseSortAsEqualInShellOrder) {
  for (const char* name : {"Cc", "B", "b", "A"}) AddRecord(book, name);
  PrintAll();
  SortPrintList(book, job);
  // The gaps 2 and 1 bring "b" before "B": the order of equal keys is the Shell sort's.
  EXPECT_EQ(job.PrintList, (std::vector<int>{3, 2, 1, 0}));
}

TEST_F(PrintEngineTest, WrapTextBreaksBetweenWordsAndNeverCutsAWord) {
  EXPECT_EQ(Wrap("John Smith", 1000), (std::vector<std::string>{"John Smith"}));
  EXPECT_EQ(Wrap("one two three four", 900), (std::vector<std::string>{"one two", "three", "four"}));
  EXPECT_EQ(Wrap("Supercalifragilistic", 1000), (std::vector<std::string>{"", "Supercalifragilistic"}));
  EXPECT_EQ(Wrap("ab Supercalifragilistic", 1000), (std::vector<std::string>{"ab", "Supercalifragilistic"}));
}

TEST_F(PrintEngineTest, WrapTextLineEndsTabsAndControlCharacters) {
  EXPECT_EQ(Wrap("1 Main St\r\nSpringfield", 3600), (std::vector<std::string>{"1 Main St", "Springfield"}));
  EXPECT_EQ(Wrap("Ann\tLee", 3600), (std::vector<std::string>{"Ann Lee"}));
  EXPECT_EQ(Wrap("  indented  ", 3600), (std::vector<std::string>{"  indented"}));
  EXPECT_EQ(Wrap(std::string("a\0b\x01\x1f" "c", 6), 3600), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(Wrap("Zo\xEB R\xE9mi", 3600), (std::vector<std::string>{"Zo\xEB R\xE9mi"}));
  EXPECT_TRUE(Wrap("", 3600).empty());
  EXPECT_TRUE(Wrap("\x01\x02\r", 3600).empty());
  EXPECT_EQ(Wrap("a\n\nb", 3600), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(PrintEngineTest, WrapTextEndsOnHugeAndWidthlessInput) {
  const std::string huge(200000, 'x');
  EXPECT_EQ(Wrap(huge, 3600), (std::vector<std::string>{"", huge}));
  std::string manyWords;
  for (int i = 0; i < 20000; ++i) manyWords += "word ";
  EXPECT_EQ(Wrap(manyWords, 3600).size(), 20000u / 7 + 1);
  EXPECT_EQ(Wrap("a b", 0), (std::vector<std::string>{"", "a", "b"}));
}

TEST_F(PrintEngineTest, LinesPerPageOfEachReportType) {
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::PhoneList), 51);  // 12680 / 240 - 2 = 50.8
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::PhoneBook), 19);  // 5040 / 240 - 2
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::Labels), 4);      // 1380 / 240 - 2 = 3.75
  printer.lineHeight = 280;
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::PhoneBook), 16);
  printer.lineHeight = 0;
  EXPECT_EQ(CalcLinesPerPage(printer, ReportType::PhoneBook), 0);
}

TEST_F(PrintEngineTest, SetPrinterFontAndThePrintersCurrentFont) {
  settings.Printing.FontName = QStringLiteral("Arial");
  settings.Printing.FontSize = 9;
  settings.Printing.FontBold = true;
  SetPrinterFont(printer, settings);
  EXPECT_EQ(printer.fontName, "Arial");
  EXPECT_EQ(printer.fontSize, 9);
  EXPECT_TRUE(printer.bold);
  EXPECT_FALSE(printer.italic);
  const std::optional<PrinterFontInfo> current = CurrentPrinterFont();
  ASSERT_TRUE(current);
  EXPECT_EQ(current->Name, "Arial");
  EXPECT_EQ(current->Size, 9);
  printer.installed = false;
  EXPECT_FALSE(CurrentPrinterFont());
}

TEST_F(PrintEngineTest, PageCountRoundsUp) {
  EXPECT_EQ(PageCount(0, 18), 0);
  EXPECT_EQ(PageCount(18, 18), 1);
  EXPECT_EQ(PageCount(19, 18), 2);
}

TEST_F(PrintEngineTest, PhoneLinesWithoutAddresses) {
  settings.Printing.ShowLetters = false;
  AddressRecord& ann = AddRecord(book, "Ann Lee");
  ann.Phones = {"555-1000", "", "555-3000", ""};
  ann.PhoneNameIndex = {0, 1, -1, 3};
  AddRecord(book, "Bob Ray");  // no phones
  AddRecord(book, "Ann Lee", "").PrintAs = kPrintAsBusiness;
  AddRecord(book, "Tab\tName\r\n").Phones[0] = "1\t2";
  PrintAll();
  EXPECT_EQ(Lines(25), (std::vector<std::string>{"Ann Lee (Home)\t555-1000", "Ann Lee\t555-3000", "Bob Ray", "",
                                                 "Tab Name   (Home)\t1 2"}));
}

TEST_F(PrintEngineTest, FullEntriesWithAddressesAreSeparatedExceptAtThePageTop) {
  settings.Printing.ShowLetters = false;
  settings.Printing.IncludeAddress = true;
  AddressRecord& acme = AddRecord(book, "Jo Doe", "Acme");
  acme.PrintAs = kPrintAsBusiness;
  acme.Phones[1] = "555-2000";
  acme.PhoneNameIndex[1] = -1;
  acme.Address = "1 Main St\r\nTown";
  AddRecord(book, "Al Bo", "Firm").Address = "2 Side Rd";
  AddRecord(book, "Cy Di").Address = "3 Up\r\nDown\r\nAround";
  PrintAll();
  EXPECT_EQ(Lines(8), (std::vector<std::string>{"Acme", "Jo Doe", "\t555-2000", "1 Main St", "Town", "", "",
                                                "",  // filler: the next item does not fit
                                                "Al Bo", "Firm", "2 Side Rd", "", "Cy Di", "3 Up", "Down",
                                                "Around"}));
}

TEST_F(PrintEngineTest, LetterHeadingsStartEachNewLetter) {
  settings.Printing.ShowLetters = true;
  AddRecord(book, "ann adams");
  AddRecord(book, "Al Aston");
  AddRecord(book, "");
  AddRecord(book, "Bo Brown");
  PrintAll();
  EXPECT_EQ(Lines(25), (std::vector<std::string>{"*** A ***", "", "ann adams", "Al Aston", "", "", "*** B ***", "",
                                                 "Bo Brown"}));
}

TEST_F(PrintEngineTest, AnItemThatDoesNotFitMovesToTheNextPage) {
  settings.Printing.ShowLetters = false;
  for (const char* name : {"A", "B", "C"}) {
    AddressRecord& record = AddRecord(book, name);
    record.Phones = {"1", "2", "", ""};
  }
  PrintAll();
  EXPECT_EQ(Lines(5), (std::vector<std::string>{"A (Home)\t1", "A (Work)\t2", "B (Home)\t1", "B (Work)\t2", "",
                                                "C (Home)\t1", "C (Work)\t2"}));
}

TEST_F(PrintEngineTest, AnItemLongerThanAPageStartsAtAPageTop) {
  settings.Printing.ShowLetters = false;
  settings.Printing.IncludeAddress = true;
  AddRecord(book, "A");
  AddRecord(book, "B").Address = "1\n2\n3\n4";
  PrintAll();
  EXPECT_EQ(Lines(3), (std::vector<std::string>{"A", "", "", "B", "1", "2", "3", "4"}));
}

// The line files in the temporary folders.
QStringList LineFiles() {
  QStringList files;
  QDirIterator folders(QDir::tempPath(), QDir::Dirs | QDir::NoDotAndDotDot);
  while (folders.hasNext()) {
    const QString candidate = QDir(folders.next()).filePath(QString::fromLatin1(kLineFileName));
    if (QFileInfo::exists(candidate)) files << candidate;
  }
  return files;
}

// Where the line file of the running job is: the one that was not there before it.
QString FindLineFile(const QStringList& before) {
  for (const QString& file : LineFiles())
    if (!before.contains(file)) return file;
  return {};
}

TEST_F(PrintEngineTest, TheLineFileIsPrivateAndDeletedAfterTheJob) {
  AddRecord(book, "Ann Lee");
  PrintAll();
  job.LinesPerPage = 25;
  QString seen;
  const QStringList before = LineFiles();
  printer.beforeText = [&seen, &before](const std::string&) {
    if (seen.isEmpty()) seen = FindLineFile(before);
  };
  PrintRecords(book, settings, job);
  ASSERT_FALSE(seen.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(seen));
  EXPECT_FALSE(QFileInfo::exists(QFileInfo(seen).path()));
  EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QString::fromLatin1(kLineFileName))));
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_EQ(printer.endDocumentCalls, 1);
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(PrintEngineTest, TheLineFileFolderIsForTheUserAlone) {
  AddRecord(book, "Ann Lee");
  PrintAll();
  job.LinesPerPage = 25;
  QFile::Permissions permissions;
  const QStringList before = LineFiles();
  printer.beforeText = [&permissions, &before](const std::string&) {
    if (permissions == QFile::Permissions())
      permissions = QFileInfo(QFileInfo(FindLineFile(before)).path()).permissions();
  };
  PrintRecords(book, settings, job);
  EXPECT_TRUE(permissions & QFile::ReadOwner);
  EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther));
}

TEST_F(PrintEngineTest, AFailureIsReportedAndTheJobStillEndsAndCleansUp) {
  for (const char* name : {"Ann", "Bob", "Cy"}) AddRecord(book, name);
  PrintAll();
  job.LinesPerPage = 25;
  QString seen;
  int texts = 0;
  const QStringList before = LineFiles();
  printer.beforeText = [&](const std::string&) {
    if (seen.isEmpty()) seen = FindLineFile(before);
    if (++texts == 3) throw PlatformFailure(PlatformError{482, QStringLiteral("Printer error")});
  };
  PrintRecords(book, settings, job);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::ErrorReport);
  EXPECT_EQ(Fakes().messages.shown[0].second, "Unable to complete printing. Error 482 : Printer error.");
  EXPECT_EQ(printer.endDocumentCalls, 1);
  ASSERT_FALSE(seen.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(seen));
  EXPECT_EQ(Fakes().busy.depth, 0);
}

TEST_F(PrintEngineTest, EmptyHugeAndControlCharacterTextsPrintEveryReport) {
  const std::string huge(100000, 'W');
  const std::string controls("\t\r\n\x01\x7f\0\x1b", 7);
  AddRecord(book, "", "");
  AddRecord(book, huge, huge).Address = huge + " " + huge;
  AddressRecord& odd = AddRecord(book, controls, controls);
  odd.PrintAs = kPrintAsBusiness;
  odd.Address = controls;
  odd.Phones = {controls, huge, "", ""};
  odd.PhoneNameIndex = {-1, 99, 0, 0};  // 99: a damaged index prints no description
  settings.Printing.Title = huge + controls;
  settings.Printing.IncludeAddress = true;
  PrintAll();
  FakeReadyPage readyPage;
  InstallReadyPage(&readyPage);
  for (const int type : {0, 1, 2}) {
    settings.Printing.ReportType = static_cast<int16_t>(type);
    job.LinesPerPage = 18;
    PrintRecords(book, settings, job);
    EXPECT_TRUE(Fakes().messages.shown.empty()) << "report type " << type;
  }
  InstallReadyPage(nullptr);
  EXPECT_EQ(printer.TextOf(huge).kind, PrintedOp::Text);  // long lines are printed whole
}

}  // namespace
