#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFile.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/AnsiText.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"

namespace {

constexpr size_t kLongest = 65535;  // the longest text a data file can hold

// The longest text, starting with first and then every byte value in turn;
// multi-line text has CR LF pairs in place of the lone CR and LF bytes.
std::string LongText(char first, bool multiLine) {
  std::string text(1, first);
  for (int code = 0; text.size() < kLongest; code = (code + 1) % 256) {
    if (!multiLine || (code != '\r' && code != '\n'))
      text += static_cast<char>(code);
    else if (code == '\r' && text.size() + 3 <= kLongest)
      text += "\r\n";
  }
  return text;
}

// Values longer than their boxes' limits, as other programs write them, must
// reach the file again byte for byte; typing may only shorten them.
TEST(LongFields, SurviveShowingNavigatingSwitchingPhonesSearchingSortingAndSaving) {
  QTemporaryDir dir;
  BookState original = BookWithGroups({});
  for (const char first : {'A', 'B'}) {
    AddressRecord& record = AddRecord(original, LongText(first, false), LongText(first, false));
    record.Address = LongText(first, true);
    record.Notes = LongText(first, true);
    for (std::string& phone : record.Phones) phone = LongText(first, false);
  }
  original.Records[1].Name.replace(10, 6, "FINDME");
  original.Keys = {SortKey{kSortCompany, 0, 1, 0}, SortKey{}, SortKey{}};  // already in this order
  original.FileName = dir.filePath("LONG.DAT");
  SaveDocument(original);

  BookState book;
  ProgramSettings settings;
  LoadDocument(book, original.FileName);
  frmMain window(book, settings);
  window.SetStatusPanes();
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(window.FieldText(3), AnsiToQString(original.Records[0].Phones[0]));  // shown whole
  EXPECT_EQ(window.FieldText(4), AnsiToQString(original.Records[0].Notes));

  QTest::keyClick(window.txtName, Qt::Key_PageDown);
  QTest::keyClick(window.txtName, Qt::Key_PageUp);
  for (const Qt::Key slot : {Qt::Key_2, Qt::Key_1}) {
    QTest::keyClick(window.txtName, slot, Qt::AltModifier);
    QTest::qWait(150);  // an access key clicks its option after a short press
  }
  ASSERT_EQ(window.FieldText(3), AnsiToQString(original.Records[0].Phones[0]));
  settings.Search.SearchString = "findme";
  window.mnuRecordsFindNext->trigger();
  ASSERT_EQ(book.CurrentRecord, 1);
  WhenModalShown([](QDialog& sort) { sort.findChild<QPushButton*>("cmdOK")->click(); });
  window.mnuRecordsSort->trigger();

  window.txtNotes->setFocus();
  window.txtNotes->moveCursor(QTextCursor::End);
  QTest::keyClick(window.txtNotes, Qt::Key_Backspace);
  QTest::keyClicks(window.txtNotes, "ZY");  // Y would make the notes longer than they were
  EXPECT_EQ(Fakes().beep.beeps, 1);
  window.mnuFileSave->trigger();

  original.Records[0].Notes.back() = 'Z';
  original.FileName = dir.filePath("EXPECTED.DAT");
  SaveDocument(original);
  EXPECT_TRUE(ReadBytes(book.FileName) == ReadBytes(original.FileName));
}

}  // namespace
