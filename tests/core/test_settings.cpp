#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/SettingsIO.h"
#include "core/SettingsText.h"
#include "core/frmSettings.h"
#include "support/FakePlatform.h"

namespace {

// Each test gets its own settings file in a temporary folder, read and
// written through the real QSettings store.
class SettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
  }

  QString IniPath() const { return dir.filePath(QStringLiteral("Vantreo.ini")); }

  void WriteIni(const char* text) {
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  ProgramSettings Loaded(std::optional<PrinterFontInfo> font = PrinterFontInfo{"Courier", 10}) {
    ProgramSettings settings;
    LoadSettings(settings, *OpenUserSettings(), font);
    return settings;
  }

  QString IniText() {
    QFile file(IniPath());
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
  }

  QTemporaryDir dir;
};

TEST_F(SettingsTest, FirstRunGivesTheDefaults) {
  const ProgramSettings settings = Loaded();
  EXPECT_EQ(settings.PhoneBook.DataFile,
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("Quillbox.dat"));
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving);
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime);
  EXPECT_TRUE(settings.PhoneBook.ShowStatusDate);
  EXPECT_TRUE(settings.Search.AllFields);
  EXPECT_FALSE(settings.Search.MatchCase);
  EXPECT_EQ(settings.Search.WhichFields, -1);
  EXPECT_EQ(settings.Printing.Title, "Vantreo");
  EXPECT_TRUE(settings.Printing.ShowLetters);
  EXPECT_EQ(settings.Printing.FontName, "Courier");
  EXPECT_EQ(settings.Printing.FontSize, 10);
  EXPECT_EQ(settings.Export.File, QDir::home().filePath("export.txt"));
  EXPECT_EQ(settings.Export.WhichFields, 507);
  EXPECT_EQ(settings.Export.Separator, 0);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, LooseBooleansLookForTrueOrYesOnly) {
  WriteIni("[PhoneBook]\nPromptBeforeSaving=oh YeS please\n[Search]\nMatchCase=1\nAllFields=nope\n"
           "[Printing]\nShowLetters=\nIncludeAddress=TRUE\n");
  const ProgramSettings settings = Loaded();
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving);
  EXPECT_FALSE(settings.Search.MatchCase);
  EXPECT_FALSE(settings.Search.AllFields);
  EXPECT_FALSE(settings.Printing.ShowLetters);
  EXPECT_TRUE(settings.Printing.IncludeAddress);
}

TEST_F(SettingsTest, StrictBooleanTakesNumbersAndRefusesWords) {
  WriteIni("[PhoneBook]\nShowStatusTime=1\nShowStatusDate=0\n");
  ProgramSettings settings = Loaded();
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime);
  EXPECT_FALSE(settings.PhoneBook.ShowStatusDate);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, UnreadableStrictBooleanGivesDefaultsFromThereOn) {
  WriteIni("[PhoneBook]\nPromptBeforeSaving=False\nShowStatusTime=yes\nShowStatusDate=False\n"
           "[Search]\nSearchString=Smith\n[Printing]\nTitle=My Book\n");
  const ProgramSettings settings = Loaded();
  EXPECT_FALSE(settings.PhoneBook.PromptBeforeSaving);  // read before the failure
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime);
  EXPECT_TRUE(settings.PhoneBook.ShowStatusDate);
  EXPECT_EQ(settings.Search.SearchString, "");
  EXPECT_EQ(settings.Printing.Title, "Vantreo");
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].first, MessageKind::Notice);
  EXPECT_EQ(Fakes().messages.shown[0].second,
            "Error reading program settings from system registry (Type mismatch). Using default settings.");
}

TEST_F(SettingsTest, NumbersReadHexadecimalAndRoundHalfToEven) {
  WriteIni("[Search]\nWhichFields=&HFFFF\n[Printing]\nReportType=2.5\nFontSize=11.5 points\n"
           "XOffset=-0.25\nYOffset=abc\n[Export]\nWhichFields=&H1FB\nSeparator=3\n");
  const ProgramSettings settings = Loaded();
  EXPECT_EQ(settings.Search.WhichFields, -1);
  EXPECT_EQ(settings.Printing.ReportType, 2);
  EXPECT_EQ(settings.Printing.FontSize, 12);
  EXPECT_FLOAT_EQ(settings.Printing.XOffset, -0.25f);
  EXPECT_FLOAT_EQ(settings.Printing.YOffset, 0.0f);
  EXPECT_EQ(settings.Export.WhichFields, 507);
  EXPECT_EQ(settings.Export.Separator, 3);
}

TEST_F(SettingsTest, WithoutAPrinterTheFontFallsBack) {
  WriteIni("[Printing]\nFontName=Arial\nFontSize=20\n");
  const ProgramSettings settings = Loaded(std::nullopt);
  EXPECT_EQ(settings.Printing.FontName, "Times New Roman");
  EXPECT_EQ(settings.Printing.FontSize, 12);
  EXPECT_EQ(Loaded().Printing.FontName, "Arial");
}

TEST_F(SettingsTest, SavedTextFormsReadBackTheSame) {
  ProgramSettings settings = Loaded();
  settings.Printing.XOffset = 0.5f;
  settings.Printing.YOffset = -0.25f;
  settings.Export.WhichFields = 0;
  settings.Search.WhichFields = 6;
  settings.Search.SearchString = "Caf\xE9, Inc.";
  settings.PhoneBook.ShowStatusDate = false;
  SaveSettings(settings, *OpenUserSettings(), QStringLiteral("/home/someone/Book.dat"));

  QSettings raw(IniPath(), QSettings::IniFormat);
  EXPECT_EQ(raw.value("Printing/XOffset").toString(), "0.50");
  EXPECT_EQ(raw.value("Printing/YOffset").toString(), "-0.25");
  EXPECT_EQ(raw.value("Export/WhichFields").toString(), "&H0");
  EXPECT_EQ(raw.value("PhoneBook/ShowStatusDate").toString(), "False");
  EXPECT_EQ(raw.value("PhoneBook/DataFile").toString(), "/home/someone/Book.dat");

  const ProgramSettings again = Loaded();
  EXPECT_FLOAT_EQ(again.Printing.XOffset, 0.5f);
  EXPECT_FLOAT_EQ(again.Printing.YOffset, -0.25f);
  EXPECT_EQ(again.Export.WhichFields, 0);
  EXPECT_EQ(again.Search.WhichFields, 6);
  EXPECT_EQ(again.Search.SearchString, "Caf\xE9, Inc.");
  EXPECT_FALSE(again.PhoneBook.ShowStatusDate);
  EXPECT_EQ(again.PhoneBook.DataFile, "/home/someone/Book.dat");
}

TEST(SettingsText, NumberReadingCases) {
  EXPECT_EQ(ReadInteger16("&H1FB"), 507);
  EXPECT_EQ(ReadInteger16("&hffff"), -1);
  EXPECT_EQ(ReadInteger16("&H8000"), -32768);
  EXPECT_EQ(ReadInteger16("  12abc"), 12);
  EXPECT_EQ(ReadInteger16("3.5"), 4);
  EXPECT_EQ(ReadInteger16("-2.5"), -2);
  EXPECT_EQ(ReadInteger16("x12"), 0);
  EXPECT_EQ(ReadInteger16("99999"), 32767);
  EXPECT_EQ(ReadInteger16("&O17"), 15);
  EXPECT_DOUBLE_EQ(ReadNumber("1e2"), 100.0);
  EXPECT_DOUBLE_EQ(ReadNumber(".5"), 0.5);
}

TEST(SettingsText, StrictBooleanCases) {
  EXPECT_EQ(ReadStrictBoolean("TRUE"), true);
  EXPECT_EQ(ReadStrictBoolean("false"), false);
  EXPECT_EQ(ReadStrictBoolean("-1"), true);
  EXPECT_EQ(ReadStrictBoolean("0"), false);
  EXPECT_EQ(ReadStrictBoolean("yes"), std::nullopt);
  EXPECT_EQ(ReadStrictBoolean(""), std::nullopt);
  EXPECT_EQ(ReadStrictBoolean("1x"), std::nullopt);
}

TEST(SettingsDialog, OkStoresTheBoxesCancelKeepsThem) {
  ProgramSettings settings;
  settings.PhoneBook.ShowStatusDate = false;
  {
    frmSettings dialog(settings);
    EXPECT_TRUE(dialog.chkPromptBeforeSave->isChecked());
    EXPECT_TRUE(dialog.chkShowTime->isChecked());
    EXPECT_FALSE(dialog.chkShowDate->isChecked());
    dialog.chkPromptBeforeSave->setChecked(false);
    dialog.reject();
  }
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving);
  frmSettings dialog(settings);
  dialog.chkPromptBeforeSave->setChecked(false);
  dialog.chkShowDate->setChecked(true);
  dialog.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(settings.PhoneBook.PromptBeforeSaving);
  EXPECT_TRUE(settings.PhoneBook.ShowStatusDate);
}

TEST(SettingsDialog, F1OpensItsTopic) {
  ProgramSettings settings;
  frmSettings dialog(settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(dialog.chkShowTime, Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1440});
}

}  // namespace
