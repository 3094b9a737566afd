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

TEST_F(SettingsTest, FirstRunGivesTheDefaultsAndTheFontFallsBackWithoutAPrinter) {
  const ProgramSettings settings = Loaded("");
  EXPECT_EQ(settings.PhoneBook.DataFile,
            QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("Quillbox.dat"));
  EXPECT_EQ(settings.Export.File, QDir::home().filePath("export.txt"));
  const auto font = [](const ProgramSettings& loaded) {
    return std::pair(loaded.Printing.FontName.toStdString(), loaded.Printing.FontSize);
  };
  EXPECT_EQ(font(settings), std::pair(std::string("Courier"), int16_t{10}));
  WriteBytes(ini, "[Printing]\nFontName=Arial\nFontSize=20\n");
  EXPECT_EQ(font(Loaded("", std::nullopt)), std::pair(std::string("Times New Roman"), int16_t{12}));
  EXPECT_EQ(font(Loaded("")), std::pair(std::string("Arial"), int16_t{20}));
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, EachKeyIsReadByItsOwnRule) {
  const ProgramSettings settings = Loaded(
      "[PhoneBook]\nPromptBeforeSaving=oh YeS please\nShowStatusTime=1\nShowStatusDate=0\n"
      "[Search]\nMatchCase=1\nAllFields=nope\nWhichFields=&HFFFF\n"
      "[Printing]\nShowLetters=\nIncludeAddress=TRUE\nReportType=2.5\nFontSize=11.5 points\nXOffset=-0.25\nYOffset=abc\n"
      "[Export]\nWhichFields=&H1FB\nSeparator=3\n");
  // Loose booleans look for "true" or "yes"; strict ones take numbers.
  EXPECT_EQ(std::tuple(settings.PhoneBook.PromptBeforeSaving, settings.Search.MatchCase, settings.Search.AllFields,
                       settings.Printing.ShowLetters, settings.Printing.IncludeAddress),
            std::tuple(true, false, false, false, true));
  EXPECT_EQ(std::pair(settings.PhoneBook.ShowStatusTime, settings.PhoneBook.ShowStatusDate), std::pair(true, false));
  EXPECT_EQ(std::tuple(settings.Search.WhichFields, settings.Printing.ReportType, settings.Printing.FontSize,
                       settings.Export.WhichFields, settings.Export.Separator),
            (std::tuple<int16_t, int16_t, int16_t, int16_t, int16_t>{-1, 2, 12, 507, 3}));
  EXPECT_EQ(std::pair(settings.Printing.XOffset, settings.Printing.YOffset), std::pair(-0.25f, 0.0f));
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(SettingsTest, UnreadableStrictBooleanGivesDefaultsFromThereOn) {
  const ProgramSettings settings = Loaded("[PhoneBook]\nPromptBeforeSaving=False\nShowStatusTime=yes\nShowStatusDate=False\n"
                                          "[Search]\nSearchString=Smith\n[Printing]\nTitle=My Book\n");
  EXPECT_FALSE(settings.PhoneBook.PromptBeforeSaving);  // read before the failure
  EXPECT_TRUE(settings.PhoneBook.ShowStatusTime && settings.PhoneBook.ShowStatusDate);
  EXPECT_EQ(std::pair(settings.Search.SearchString, settings.Printing.Title),
            std::pair(std::string(), std::string("Vantreo")));
  EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::Notice,
                                                           QString("Error reading program settings from system registry "
                                                                   "(Type mismatch). Using default settings.")}}));
}

TEST_F(SettingsTest, SavedTextFormsReadBackTheSame) {
  ProgramSettings settings = Loaded("");
  settings.Printing.XOffset = 0.5f;
  settings.Printing.YOffset = -0.25f;
  settings.Search.WhichFields = 6;
  settings.Search.SearchString = "Café, Inc.";
  settings.PhoneBook.ShowStatusDate = false;
  settings.Export.WhichFields = 0x1FB;
  SaveSettings(settings, *OpenUserSettings(), QStringLiteral("/home/someone/Book.dat"));
  QSettings raw(ini, QSettings::IniFormat);
  EXPECT_EQ(std::tuple(raw.value("Export/WhichFields").toString(), raw.value("Printing/XOffset").toString(),
                       raw.value("PhoneBook/ShowStatusDate").toString()),
            std::tuple(QString("&H1FB"), QString("0.50"), QString("False")));
  const ProgramSettings again = Loaded("");
  EXPECT_EQ(std::tuple(again.Export.WhichFields, again.Printing.XOffset, again.Printing.YOffset, again.Search.WhichFields,
                       again.Search.SearchString, again.PhoneBook.ShowStatusDate, again.PhoneBook.DataFile),
            std::tuple(int16_t{0x1FB}, 0.5f, -0.25f, int16_t{6}, std::string("Café, Inc."), false,
                       QString("/home/someone/Book.dat")));
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
  cancelled.chkPromptBeforeSave->setChecked(false);
  cancelled.reject();
  frmSettings dialog(settings);
  EXPECT_EQ(std::tuple(dialog.chkPromptBeforeSave->isChecked(), dialog.chkShowTime->isChecked(),
                       dialog.chkShowDate->isChecked()),
            std::tuple(true, true, false));
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
