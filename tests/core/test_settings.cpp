// The settings file: each key read by its own rule, with its default, and
// written in a form that reads back the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "core/SettingsIO.h"
#include "core/SettingsText.h"
#include "core/frmSettings.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

// Each test reads and writes a settings file of its own through the real store.
class SettingsTest : public testing::Test {
 protected:
  void SetUp() override { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); }

  ProgramSettings Loaded(const char* file, std::optional<PrinterFontInfo> font = PrinterFontInfo{"Courier", 10}) {
    if (*file) WriteBytes(ini, file);
    ProgramSettings settings;
    LoadSettings(settings, *OpenUserSettings(), font);
    return settings;
  }

  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("Vantreo.ini"));
};

TEST_F(SettingsTest, FirstRunGivesTheDefaults) {
  const ProgramSettings settings = Loaded("");
  EXPECT_EQ(settings.PhoneBook.DataFile,
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("Quillbox.dat"));
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving && settings.PhoneBook.ShowStatusTime && settings.PhoneBook.ShowStatusDate);
  EXPECT_TRUE(settings.Search.AllFields);
  EXPECT_FALSE(settings.Search.MatchCase);
  EXPECT_EQ(settings.Search.WhichFields, -1);
  EXPECT_EQ(settings.Printing.Title, "Vantreo");
  EXPECT_TRUE(settings.Printing.ShowLetters);
  EXPECT_EQ(std::pair(settings.Printing.FontName, settings.Printing.FontSize), std::pair(QString("Courier"), int16_t{10}));
  EXPECT_EQ(settings.Export.File, QDir::home().filePath("export.txt"));
  EXPECT_EQ(settings.Export.WhichFields, 507);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, EachKeyIsReadByItsOwnRule) {
  const ProgramSettings settings = Loaded(
      "[PhoneBook]\nPromptBeforeSaving=oh YeS please\nShowStatusTime=1\nShowStatusDate=0\n"
      "[Search]\nMatchCase=1\nAllFields=nope\nWhichFields=&HFFFF\n"
      "[Printing]\nShowLetters=\nIncludeAddress=TRUE\nReportType=2.5\nFontSize=11.5 points\nXOffset=-0.25\nYOffset=abc\n"
      "[Export]\nWhichFields=&H1FB\nSeparator=3\n");
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving);  // loose booleans look for "true" or "yes"
  EXPECT_FALSE(settings.Search.MatchCase);
  EXPECT_FALSE(settings.Search.AllFields);
  EXPECT_FALSE(settings.Printing.ShowLetters);
  EXPECT_TRUE(settings.Printing.IncludeAddress);
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime);  // strict booleans take numbers
  EXPECT_FALSE(settings.PhoneBook.ShowStatusDate);
  EXPECT_EQ(settings.Search.WhichFields, -1);
  EXPECT_EQ(settings.Printing.ReportType, 2);
  EXPECT_EQ(settings.Printing.FontSize, 12);
  EXPECT_FLOAT_EQ(settings.Printing.XOffset, -0.25f);
  EXPECT_FLOAT_EQ(settings.Printing.YOffset, 0.0f);
  EXPECT_EQ(settings.Export.WhichFields, 507);
  EXPECT_EQ(settings.Export.Separator, 3);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, UnreadableStrictBooleanGivesDefaultsFromThereOn) {
  const ProgramSettings settings = Loaded("[PhoneBook]\nPromptBeforeSaving=False\nShowStatusTime=yes\nShowStatusDate=False\n"
                                          "[Search]\nSearchString=Smith\n[Printing]\nTitle=My Book\n");
  EXPECT_FALSE(settings.PhoneBook.PromptBeforeSaving);  // read before the failure
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime && settings.PhoneBook.ShowStatusDate);
  EXPECT_EQ(settings.Search.SearchString, "");
  EXPECT_EQ(settings.Printing.Title, "Vantreo");
  EXPECT_EQ(Fakes().messages.shown,
            (std::vector{std::pair{MessageKind::Notice, QString("Error reading program settings from system registry "
                                                                "(Type mismatch). Using default settings.")}}));
}

TEST_F(SettingsTest, WithoutAPrinterTheFontFallsBack) {
  const ProgramSettings settings = Loaded("[Printing]\nFontName=Arial\nFontSize=20\n", std::nullopt);
  EXPECT_EQ(std::pair(settings.Printing.FontName, settings.Printing.FontSize), std::pair(QString("Times New Roman"), int16_t{12}));
  EXPECT_EQ(Loaded("").Printing.FontName, "Arial");
}

TEST_F(SettingsTest, SavedTextFormsReadBackTheSame) {
  ProgramSettings settings = Loaded("");
  settings.Printing.XOffset = 0.5f;
  settings.Printing.YOffset = -0.25f;
  settings.Search.WhichFields = 6;
  settings.Search.SearchString = "Caf\xE9, Inc.";
  settings.PhoneBook.ShowStatusDate = false;
  for (const int16_t mask : {0, 0x1FB}) {
    settings.Export.WhichFields = mask;
    SaveSettings(settings, *OpenUserSettings(), QStringLiteral("/home/someone/Book.dat"));
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value("Export/WhichFields").toString(), mask == 0 ? "&H0" : "&H1FB");
    EXPECT_EQ(raw.value("Printing/XOffset").toString(), "0.50");
    EXPECT_EQ(raw.value("PhoneBook/ShowStatusDate").toString(), "False");
    const ProgramSettings again = Loaded("");
    EXPECT_EQ(again.Export.WhichFields, mask);
    EXPECT_FLOAT_EQ(again.Printing.XOffset, 0.5f);
    EXPECT_FLOAT_EQ(again.Printing.YOffset, -0.25f);
    EXPECT_EQ(again.Search.WhichFields, 6);
    EXPECT_EQ(again.Search.SearchString, "Caf\xE9, Inc.");
    EXPECT_FALSE(again.PhoneBook.ShowStatusDate);
    EXPECT_EQ(again.PhoneBook.DataFile, "/home/someone/Book.dat");
  }
}

TEST(SettingsText, NumbersAndStrictBooleans) {
  const std::pair<const char*, int> numbers[] = {{"&H1FB", 507}, {"&hffff", -1}, {"&H8000", -32768}, {"  12abc", 12}, {"3.5", 4},
                                                 {"-2.5", -2}, {"x12", 0}, {"99999", 32767}, {"&O17", 15}, {"1e2", 100}};
  for (const auto& [text, value] : numbers) EXPECT_EQ(ReadInteger16(text), value) << text;
  const std::pair<const char*, std::optional<bool>> booleans[] = {
      {"TRUE", true}, {"false", false}, {"-1", true}, {"0", false}, {"yes", std::nullopt}, {"", std::nullopt}, {"1x", std::nullopt}};
  for (const auto& [text, value] : booleans) EXPECT_EQ(ReadStrictBoolean(text), value) << text;
}

TEST(SettingsDialog, OkStoresTheBoxesCancelKeepsThemAndF1OpensItsTopic) {
  ProgramSettings settings;
  settings.PhoneBook.ShowStatusDate = false;
  frmSettings cancelled(settings);
  EXPECT_TRUE(cancelled.chkPromptBeforeSave->isChecked() && cancelled.chkShowTime->isChecked());
  EXPECT_FALSE(cancelled.chkShowDate->isChecked());
  cancelled.chkPromptBeforeSave->setChecked(false);
  cancelled.reject();
  EXPECT_TRUE(settings.PhoneBook.PromptBeforeSaving);

  frmSettings dialog(settings);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(dialog.chkShowTime, Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1440});
  dialog.chkPromptBeforeSave->setChecked(false);
  dialog.chkShowDate->setChecked(true);
  dialog.findChild<QPushButton*>("cmdOK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(settings.PhoneBook.PromptBeforeSaving, settings.PhoneBook.ShowStatusTime, settings.PhoneBook.ShowStatusDate),
            std::tuple(false, true, true));
}

}  // namespace
