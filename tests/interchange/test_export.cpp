// The text export: its lines byte for byte, and the Export dialog through its widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "export/ExportWriter.h"
#include "export/frmExport.h"
#include "core/Document.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"
#include "support/TextPrinting.h"

namespace {

// Anne Brown as the Export edge cases describe her, a business in two groups
// with a quoted name, and a record whose address is only line breaks.
BookState ExportedBook() {
  BookState book = BookWithGroups({"Family", "Work"});
  AddressRecord& anne = AddRecord(book, "Anne Brown");
  anne.Phones[0] = "555-0100";
  anne.Address = "  1 Main St\r\n\r\nSpringfield\r\n\r\n  ";
  anne.Notes = "\r\nline\ralone\nand\r\n";
  anne.Group = 0;
  AddressRecord& bob = AddRecord(book, "Bob \"Bobby\" Hill", " Acme ");
  bob.PrintAs = kPrintAsBusiness;
  bob.PhoneNameIndex[1] = -1;
  bob.Phones[1] = " 7 ";
  bob.Group = kMultipleGroups;
  bob.MultiGroups = std::string("\x00\x01", 2);
  AddRecord(book, "Cy").Address = "\r\n\r\n";
  return book;
}

struct ExportCase {
  const char* Name;
  int Fields, Separator;
  bool PhoneNames;
  const char* Lines;
};

class ExportTextTest : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportTextTest, ChosenColumnsQuotedAndSeparated) {
  const ExportCase& c = GetParam();
  const ProgramSettings::ExportSection options{{}, static_cast<int16_t>(c.Separator), c.PhoneNames,
                                               static_cast<int16_t>(c.Fields)};
  EXPECT_EQ(ExportText(ExportedBook(), options), c.Lines);
  EXPECT_EQ(ExportText(BookWithGroups({}), options), "");
}

INSTANTIATE_TEST_SUITE_P(Columns, ExportTextTest, testing::Values(
    ExportCase{"NameCompanyAndPhoneByCommas", kExportName | kExportCompany | kExportPhone1, 0, true,
               "\"Anne Brown\",\"\",\"Home\",\"555-0100\"\r\n\"Bob \"Bobby\" Hill\",\" Acme \",\"Home\",\"\"\r\n"
               "\"Cy\",\"\",\"Home\",\"\"\r\n"},
    ExportCase{"PrintAsAndGroupBySemicolons", kExportPrintAs | kExportGroup, 1, false,
               "\"Person\";\"Family\"\r\n\"Business\";\"<Multiple Groups...>\"\r\n\"Person\";\"<Ungrouped>\"\r\n"},
    ExportCase{"AddressAndNotesByTabs", kExportAddress | kExportNotes, 2, false,
               "\"1 Main St||Springfield\"\t\"line\ralone\nand\"\r\n\"\"\t\"\"\r\n\"\"\t\"\"\r\n"},
    ExportCase{"SecondPhoneBySpaces", kExportPhone1 << 1, 3, true, "\"Work\" \"\"\r\n\"<Blank>\" \" 7 \"\r\n\"Work\" \"\"\r\n"}),
    [](const testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.Name); });

class ExportDialogTest : public testing::Test {
 protected:
  void SetUp() override { InstallFileDialogs(&files); }
  void TearDown() override { InstallFileDialogs(nullptr); }

  FakeFileDialogs files;
  QTemporaryDir dir;
  BookState book = PeopleBook(1);
  ProgramSettings settings{{}, {}, {}, {dir.filePath("old.txt"), 2, true, 507}};
  frmExport dialog{book, settings};
};

TEST_F(ExportDialogTest, OpensWithTheStoredChoicesBrowseFillsTheBoxAndCancelStoresNothing) {
  EXPECT_EQ(dialog.txtFilename->text(), settings.Export.File);
  EXPECT_EQ(dialog.cboSeparator->currentText(), "{tab}");
  EXPECT_TRUE(dialog.chkPhoneNames->isChecked());
  for (size_t n = 0; n < kExportFieldCount; ++n) EXPECT_EQ(dialog.chkWhichFields[n]->isChecked(), n != 2 && n != 9) << n;
  dialog.cmdBrowse->click();  // cancelled
  files.result = FileDialogResult::Failed;
  dialog.cmdBrowse->click();
  EXPECT_EQ(dialog.txtFilename->text(), dir.filePath("old.txt"));
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Error selecting export filename. Error "));
  files.result = FileDialogResult::Chosen;
  files.chosen = dir.filePath("chosen.txt");
  dialog.cmdBrowse->click();
  EXPECT_EQ(dialog.txtFilename->text(), files.chosen);
  const FileDialogRequest& asked = files.request;
  EXPECT_EQ(std::tie(asked.Filter, asked.InitialPath, asked.ConfirmOverwrite, asked.HelpContext),
            std::tuple("Text Files|*.txt", dir.filePath("old.txt"), true, 1135));
  dialog.cmdCancel->click();
  EXPECT_EQ(settings.Export.File, dir.filePath("old.txt"));
  settings.Export.Separator = 7;
  EXPECT_EQ(frmExport(book, settings).cboSeparator->currentText(), ",");
}

TEST_F(ExportDialogTest, RefusesAnEmptyNameOrNoFieldsReportsAFailedWriteThenStoresTheChoicesAndReplacesTheFile) {
  dialog.show();
  dialog.txtFilename->setText("   ");
  dialog.cmdOK->click();
  for (QCheckBox* box : dialog.chkWhichFields) box->setChecked(false);
  dialog.txtFilename->setText(dir.filePath("x.txt"));
  dialog.cmdOK->click();
  EXPECT_EQ(settings.Export.File, dir.filePath("old.txt"));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.txt")));
  dialog.chkWhichFields[0]->setChecked(true);
  dialog.chkWhichFields[9]->setChecked(true);
  dialog.txtFilename->setText(dir.filePath("missing/out.txt"));
  dialog.cmdOK->click();
  const auto& shown = Fakes().messages.shown;
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], std::make_pair(MessageKind::Notice, QString("You must specify the target filename.")));
  EXPECT_EQ(shown[1], std::make_pair(MessageKind::Notice, QString("You must specify one or more fields to export.")));
  EXPECT_EQ(shown[2].first, MessageKind::ErrorReport);
  EXPECT_TRUE(shown[2].second.startsWith("Unable to export to '" + dir.filePath("missing/out.txt") + "'. Error "));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(settings.Export.File, dir.filePath("missing/out.txt"));  // stored before the write
  const QString target = dir.filePath("out.txt");
  WriteBytes(target, "an older and longer export file");
  dialog.txtFilename->setText("  " + target + " ");
  dialog.cboSeparator->setCurrentIndex(1);
  dialog.chkPhoneNames->click();
  dialog.cmdOK->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadBytes(target), "\"Person 1\";\"\"\r\n");
  const auto& stored = settings.Export;
  EXPECT_EQ(std::tie(stored.File, stored.Separator, stored.PhoneNames, stored.WhichFields), std::tuple(target, 1, false, 513));
  EXPECT_EQ(Fakes().busy.timesShown, 2);
  EXPECT_FALSE(Fakes().busy.IsBusy());
}

// The book's own file as the target is refused with a notice, not an error; nothing is written.
TEST_F(ExportDialogTest, TheBooksOwnFileIsRefusedWithANoticeAndTheDialogStaysOpen) {
  book.FileName = dir.filePath("book.dat");
  WriteBytes(book.FileName, "the book's bytes");
  dialog.show();
  dialog.txtFilename->setText(book.FileName);
  dialog.cmdOK->click();
  EXPECT_EQ(Fakes().messages.shown, (std::vector<std::pair<MessageKind, QString>>{
      {MessageKind::Notice, "'" + book.FileName + "' is the address book being exported; choose another file for the export."}}));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ReadBytes(book.FileName), "the book's bytes");
}

TEST(ExportEncoding, AnOldBookWritesItsCodePageAUnicodeBookUtf8OrWindows1252AfterTheList) {
  QTemporaryDir dir;
  const QString file = dir.filePath("out.txt");
  BookState book = BookWithGroups({});
  AddRecord(book, "Zoë €");
  ProgramSettings settings{{}, {}, {}, {file, 0, false, kExportName}};
  frmExport old{book, settings};
  EXPECT_FALSE(old.cboEncoding->isVisibleTo(&old));
  old.cmdOK->click();
  EXPECT_EQ(ReadBytes(file), "\"Zo\xEB \x80\"\r\n");

  AddRecord(book, "Иван");
  ConvertToUnicode(book);
  frmExport unicode{book, settings};
  EXPECT_TRUE(unicode.cboEncoding->isVisibleTo(&unicode));
  EXPECT_EQ(unicode.cboEncoding->currentText(), "UTF-8");
  unicode.cmdOK->click();
  EXPECT_EQ(ReadBytes(file), "\"Zoë €\"\r\n\"Иван\"\r\n");

  frmExport codePage{book, settings};
  codePage.cboEncoding->setCurrentIndex(1);
  Fakes().messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
  codePage.cmdOK->click();  // No: nothing written
  EXPECT_EQ(ReadBytes(file), "\"Zoë €\"\r\n\"Иван\"\r\n");
  EXPECT_TRUE(Fakes().messages.shown.at(0).second.contains("\n\nRecord 2: Иван\n\nExport in Windows-1252?"));
  codePage.cmdOK->click();
  EXPECT_EQ(ReadBytes(file), "\"Zo\xEB \x80\"\r\n\"????\"\r\n");
}

}  // namespace
