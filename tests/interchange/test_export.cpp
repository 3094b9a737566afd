#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/Document.h"
#include "export/ExportWriter.h"
#include "export/frmExport.h"
#include "platform/FileDialogs.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

ProgramSettings::ExportSection Options(int fields, int separator = 0, bool phoneNames = false) {
  ProgramSettings::ExportSection options;
  options.WhichFields = static_cast<int16_t>(fields);
  options.Separator = static_cast<int16_t>(separator);
  options.PhoneNames = phoneNames;
  return options;
}

class ExportTextTest : public testing::Test {
 protected:
  void SetUp() override { book = BookWithGroups({"Family", "Work"}); }
  BookState book;
};

TEST_F(ExportTextTest, PersonWithNameCompanyAndFirstPhoneWithItsName) {
  AddRecord(book, "Anne Brown").Phones[0] = "555-0100";
  EXPECT_EQ(ExportText(book, Options(kExportName | kExportCompany | kExportPhone1, 0, true)),
            "\"Anne Brown\",\"\",\"Home\",\"555-0100\"\r\n");
}

TEST_F(ExportTextTest, QuotesInsideValuesAreWrittenAsTheyAre) {
  AddRecord(book, "Bob \"Bobby\" Hill");
  EXPECT_EQ(ExportText(book, Options(kExportName)), "\"Bob \"Bobby\" Hill\"\r\n");
}

TEST_F(ExportTextTest, EachSeparatorIsWrittenOnceBetweenColumns) {
  AddRecord(book, "Ann", "Acme");
  const int fields = kExportName | kExportCompany;
  EXPECT_EQ(ExportText(book, Options(fields, 1)), "\"Ann\";\"Acme\"\r\n");
  EXPECT_EQ(ExportText(book, Options(fields, 2)), "\"Ann\"\t\"Acme\"\r\n");
  EXPECT_EQ(ExportText(book, Options(fields, 3)), "\"Ann\" \"Acme\"\r\n");
}

TEST_F(ExportTextTest, SlotWithoutPhoneNameGivesBlankAndItsEmptyNumberFollows) {
  AddressRecord& record = AddRecord(book, "Ann");
  record.PhoneNameIndex[1] = -1;
  record.Phones[0] = "555-0100";
  EXPECT_EQ(ExportText(book, Options(kExportPhone1 << 1, 0, true)), "\"<Blank>\",\"\"\r\n");
  EXPECT_EQ(ExportText(book, Options(kExportPhone1 << 1, 0, false)), "\"\"\r\n");
}

TEST_F(ExportTextTest, PrintAsAndGroupAreWrittenAsWords) {
  AddRecord(book, "Ann");
  AddRecord(book, "Acme").PrintAs = kPrintAsBusiness;
  book.Records[1].Group = 1;
  AddressRecord& several = AddRecord(book, "Cy");
  several.Group = kMultipleGroups;
  several.MultiGroups = std::string("\x00\x01", 2);
  EXPECT_EQ(ExportText(book, Options(kExportPrintAs | kExportGroup)),
            "\"Person\",\"<Ungrouped>\"\r\n"
            "\"Business\",\"Work\"\r\n"
            "\"Person\",\"<Multiple Groups...>\"\r\n");
}

TEST_F(ExportTextTest, AllFieldsInBitOrderWithBlanksKeptExceptInAddressAndNotes) {
  AddressRecord& record = AddRecord(book, " Ann ", " Acme ");
  record.Address = "  1 Main St\r\n\r\nSpringfield\r\n\r\n  ";
  record.Phones = {" 1 ", "2", "3", "4"};
  record.Group = 0;
  record.Notes = "\r\nline\ralone\nand\r\n";
  EXPECT_EQ(ExportText(book, Options(1023, 0, true)),
            "\" Ann \",\" Acme \",\"Person\",\"1 Main St||Springfield\","
            "\"Home\",\" 1 \",\"Work\",\"2\",\"Fax\",\"3\",\"Car Phone\",\"4\","
            "\"Family\",\"line\ralone\nand\"\r\n");
}

TEST_F(ExportTextTest, EmptyBookGivesNoBytes) { EXPECT_EQ(ExportText(book, Options(1023)), ""); }

TEST(FlattenLines, JoinsLinesAndDropsBreaksAtTheEnds) {
  EXPECT_EQ(FlattenLines("a\r\nb\r\nc"), "a|b|c");
  EXPECT_EQ(FlattenLines("a\r\n\r\nb"), "a||b");
  EXPECT_EQ(FlattenLines("a\r\n\r\n"), "a");
  EXPECT_EQ(FlattenLines("\r\n\r\n\r\n"), "");
  EXPECT_EQ(FlattenLines("   "), "");
  EXPECT_EQ(FlattenLines(" \r\na \r\n"), "a ");
}

class ExportDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    NewDocument(book);
    settings.Export.File = dir.filePath("old.txt");
    InstallFileDialogs(&files);
  }
  void TearDown() override { InstallFileDialogs(nullptr); }

  FakeFileDialogs files;
  QTemporaryDir dir;
  BookState book;
  ProgramSettings settings;
};

TEST_F(ExportDialogTest, OpensWithTheStoredChoices) {
  settings.Export.Separator = 2;
  settings.Export.PhoneNames = true;
  frmExport dialog(book, settings);
  EXPECT_EQ(dialog.windowTitle(), "Export");
  EXPECT_EQ(dialog.txtFilename->text(), settings.Export.File);
  ASSERT_EQ(dialog.cboSeparator->count(), 4);
  EXPECT_EQ(dialog.cboSeparator->itemText(3), "{space}");
  EXPECT_EQ(dialog.cboSeparator->currentText(), "{tab}");
  EXPECT_TRUE(dialog.chkPhoneNames->isChecked());
  for (int n = 0; n < kExportFieldCount; ++n)
    EXPECT_EQ(dialog.chkWhichFields[static_cast<size_t>(n)]->isChecked(), n != 2 && n != 9) << n;  // 507
  EXPECT_EQ(dialog.chkWhichFields[8]->text(), "Group");
  EXPECT_TRUE(dialog.cmdOK->isDefault());
}

TEST_F(ExportDialogTest, UnknownSeparatorShowsTheComma) {
  settings.Export.Separator = 7;
  frmExport dialog(book, settings);
  EXPECT_EQ(dialog.cboSeparator->currentIndex(), 0);
}

TEST_F(ExportDialogTest, OkStoresTheChoicesAndWritesTheFile) {
  AddRecord(book, "Ann", "Acme");
  const QString target = dir.filePath("out.txt");
  WriteBytes(target, "an older and longer export file");
  frmExport dialog(book, settings);
  dialog.show();
  dialog.txtFilename->setText("  " + target + " ");
  dialog.cboSeparator->setCurrentIndex(1);
  for (QCheckBox* box : dialog.chkWhichFields) box->setChecked(false);
  dialog.chkWhichFields[1]->setChecked(true);
  dialog.chkWhichFields[0]->setChecked(true);
  QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);

  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadBytes(target), "\"Ann\";\"Acme\"\r\n");
  EXPECT_EQ(settings.Export.File, target);
  EXPECT_EQ(settings.Export.Separator, 1);
  EXPECT_FALSE(settings.Export.PhoneNames);
  EXPECT_EQ(settings.Export.WhichFields, 3);
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_EQ(Fakes().busy.timesShown, 1);
  EXPECT_FALSE(Fakes().busy.IsBusy());
}

TEST_F(ExportDialogTest, EmptyBookGivesAnEmptyFile) {
  const QString target = dir.filePath("empty.txt");
  frmExport dialog(book, settings);
  dialog.txtFilename->setText(target);
  dialog.cmdOK_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(QFileInfo::exists(target));
  EXPECT_EQ(ReadBytes(target), "");
}

TEST_F(ExportDialogTest, RefusesAnEmptyNameOrNoFieldsWithoutStoring) {
  const ProgramSettings::ExportSection before = settings.Export;
  frmExport dialog(book, settings);
  dialog.show();
  dialog.txtFilename->setText("   ");
  dialog.cmdOK_Click();
  for (QCheckBox* box : dialog.chkWhichFields) box->setChecked(false);
  dialog.txtFilename->setText(dir.filePath("x.txt"));
  dialog.cmdOK_Click();

  const auto& shown = Fakes().messages.shown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], std::make_pair(MessageKind::Notice, QString("You must specify the target filename.")));
  EXPECT_EQ(shown[1],
            std::make_pair(MessageKind::Notice, QString("You must specify one or more fields to export.")));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(settings.Export.File, before.File);
  EXPECT_EQ(settings.Export.WhichFields, before.WhichFields);
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.txt")));
}

TEST_F(ExportDialogTest, UnwritableTargetIsReportedWithTheSettingsStored) {
  AddRecord(book, "Ann");
  for (const QString& target : {dir.path(), dir.filePath("missing/out.txt")}) {
    Fakes().messages.shown.clear();
    settings.Export = {};
    frmExport dialog(book, settings);
    dialog.show();
    dialog.txtFilename->setText(target);
    dialog.chkPhoneNames->setChecked(true);
    dialog.cmdOK_Click();

    ASSERT_EQ(Fakes().messages.shown.size(), 1u);
    EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::ErrorReport);
    EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Unable to export to '" + target + "'. Error "))
        << Fakes().messages.shown[0].second.toStdString();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings.Export.File, target);
    EXPECT_TRUE(settings.Export.PhoneNames);
    EXPECT_FALSE(Fakes().busy.IsBusy());
  }
}

TEST_F(ExportDialogTest, CancelStoresNothing) {
  frmExport dialog(book, settings);
  dialog.txtFilename->setText(dir.filePath("other.txt"));
  QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(settings.Export.File, dir.filePath("old.txt"));
}

TEST_F(ExportDialogTest, BrowsePutsTheChosenFileIntoTheBox) {
  frmExport dialog(book, settings);
  files.result = FileDialogResult::Chosen;
  files.chosen = dir.filePath("chosen.txt");
  dialog.cmdBrowse_Click();
  EXPECT_EQ(dialog.txtFilename->text(), files.chosen);
  EXPECT_EQ(files.request.Title, "Export File");
  EXPECT_EQ(files.request.Filter, "Text Files|*.txt");
  EXPECT_EQ(files.request.DefaultSuffix, "txt");
  EXPECT_EQ(files.request.InitialPath, dir.filePath("old.txt"));
  EXPECT_TRUE(files.request.ConfirmOverwrite);
  EXPECT_EQ(files.request.HelpContext, 1135);
}

TEST_F(ExportDialogTest, BrowseCancelledOrFailedLeavesTheBox) {
  frmExport dialog(book, settings);
  dialog.cmdBrowse_Click();
  EXPECT_TRUE(Fakes().messages.shown.empty());
  files.result = FileDialogResult::Failed;
  dialog.cmdBrowse_Click();
  EXPECT_EQ(dialog.txtFilename->text(), dir.filePath("old.txt"));
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Error selecting export filename. Error "));
}

}  // namespace
