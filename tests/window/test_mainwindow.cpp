#include <gtest/gtest.h>

#include <optional>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFile.h"
#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "mainwindow/DialNumber.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/AnsiText.h"
#include "platform/Telephony.h"
#include "support/FakeClipboard.h"
#include "support/FakeFileDialogs.h"
#include "support/FakePlatform.h"
#include "support/MainWindowFixture.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

class MainWindowTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    book = BookWithGroups({"Work", "Family", "Club"});
    AddRecord(book, "Anne Brown").Phones = {"555-0100", "", "555-0102", "555-0103"};
    AddRecord(book, "John Smith", "Acme").Group = 1;
    AddRecord(book, "Zed");
    book.FileName = dir.filePath("BOOK.dat");
    OpenWindow();
  }

  static void Press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(target, key, modifiers);
  }

};

TEST_F(MainWindowTest, ShowsTheCurrentRecordWithoutMarkingItChanged) {
  book.Records[0].PhoneNameIndex[2] = -1;
  window->ShowRecord();
  EXPECT_EQ(QStringList({window->txtName->text(), window->optWhichPhone[0]->text(), window->optWhichPhone[2]->text(),
                         window->PromptText(), window->windowTitle()}),
            QStringList({"Anne Brown", "&1 Home", "&3 <Blank>", "Record 1 of 3", "BOOK.dat - Vantreo"}));
  QStringList groups;
  for (int i = 0; i < window->cboGroups->count(); ++i) groups << window->cboGroups->itemText(i);
  EXPECT_EQ(groups, (QStringList{kUngroupedText, kMultipleGroupsText, "Club", "Family", "Work"}));
  window->GoToRecord(1);
  EXPECT_EQ(window->txtCompany->text() + '|' + window->cboGroups->currentText(), "Acme|Family");
  EXPECT_EQ(window->scrCurrRecord->value(), 1);
  EXPECT_FALSE(book.Dirty);
}

TEST_F(MainWindowTest, NavigationKeysMoveAndBeepAtTheEndsAndWithNoRecords) {
  const std::tuple<QWidget*, Qt::Key, Qt::KeyboardModifiers, int, int> steps[] = {
      {window->txtName, Qt::Key_PageDown, {}, 1, 0},  {window->txtAddress, Qt::Key_End, Qt::ControlModifier, 2, 0},
      {window->txtName, Qt::Key_PageDown, {}, 2, 1},  {window->txtName, Qt::Key_Home, {}, 2, 1},  // the caret only
      {window->txtNotes, Qt::Key_Home, Qt::ControlModifier, 0, 1}, {window->txtName, Qt::Key_PageUp, {}, 0, 2}};
  for (const auto& [target, key, modifiers, record, beeps] : steps) {
    Press(target, key, modifiers);
    EXPECT_EQ(std::pair(book.CurrentRecord, Fakes().beep.beeps), std::pair(record, beeps)) << key;
    EXPECT_EQ(window->txtName->text().toStdString(), book.Current().Name);
  }
  EXPECT_FALSE(book.Dirty);
  book.Records.clear();  // with no records every key only beeps
  window->RefreshView();
  for (const auto& [key, modifiers] : {std::pair{Qt::Key_PageDown, Qt::NoModifier}, {Qt::Key_PageUp, Qt::NoModifier},
                                       {Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_End, Qt::ControlModifier}})
    QTest::keyClick(window->windowHandle(), key, modifiers);
  EXPECT_EQ(Fakes().beep.beeps, 6);
}

TEST_F(MainWindowTest, ScrollBarTrackMovesOneRecordAndTheThumbShowsNameOrCompany) {
  QScrollBar* bar = window->scrCurrRecord;  // its thumb fills the top third of the track
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 25));
  EXPECT_EQ(window->txtName->text(), "John Smith");
  book.Records[1].PrintAs = kPrintAsBusiness;
  Q_EMIT bar->sliderMoved(1);
  EXPECT_EQ(window->PromptText(), "Acme");
  Q_EMIT bar->sliderMoved(2);
  EXPECT_EQ(window->PromptText(), "Zed");
  bar->setValue(2);
  EXPECT_EQ(window->PromptText(), "Record 3 of 3");
}

TEST_F(MainWindowTest, TypingWritesIntoTheRecordAndARefusedCharacterIsExplained) {
  window->txtName->setFocus();
  window->txtName->end(false);
  QTest::keyClicks(window->txtName, "e");
  EXPECT_EQ(book.Records[0].Name, "Anne Browne");
  EXPECT_TRUE(book.Dirty);
  QTest::keyClicks(window->txtNotes, "a");
  Press(window->txtNotes, Qt::Key_Return);
  QTest::keyClicks(window->txtNotes, "b");
  EXPECT_EQ(book.Records[0].Notes, "a\r\nb");
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\u0142"));
  QApplication::sendEvent(window->txtName, &typed);
  EXPECT_EQ(window->txtName->text(), "Anne Browne");
  EXPECT_EQ(Fakes().beep.beeps, 1);
  EXPECT_EQ(window->PromptText(), QString::fromUtf8("'\u0142' cannot be stored in this address book"));
}

TEST_F(MainWindowTest, PasteLetsInWhatFitsOnTheBoxesLines) {
  AddressRecord& record = book.Records[0];
  const std::string a254(254, 'a');
  const struct {
    int box;
    std::string* field;
    std::string shown, pasted, stored;
  } cases[] = {
      {2, &record.Address, a254, "x\ny", a254 + "x"},  // a line break counts two
      {0, &record.Name, "Anne", " Lee\r\nLee\tLtd", "Anne Lee Lee Ltd"},
      {3, &record.Phones[0], "555-0100", " ext. 12345678901234567890", "555-0100 ext. 1234567890123456"},
      {4, &record.Notes, "", "Café", "Café"},
      {4, &record.Notes, "", "\xE4\xB8\xAD", ""},
      {1, &record.Company, "Acme", "\xC5\x81\xC3\xB3" "d\xC5\xBA", "Acme"},  // L with stroke
  };
  for (const auto& c : cases) {
    *c.field = c.shown;
    window->ShowRecord();
    window->PlaceCaret(c.box, static_cast<int>(c.shown.size()));
    clipboard.SetText(QString::fromStdString(c.pasted));
    window->mnuEditPaste_Click();
    EXPECT_EQ(*c.field, c.stored) << c.pasted;
  }
  EXPECT_EQ(Fakes().beep.beeps, 4);
  EXPECT_EQ(window->PromptText(), QString::fromUtf8("'\u0141' cannot be stored in this address book"));
  window->GoToRecord(1);  // the message gives way to the record's place
  EXPECT_EQ(window->PromptText(), "Record 2 of 3");
}

TEST_F(MainWindowTest, PhoneSlotsAreReachedAndSteppedRoundFromTheKeyboard) {
  const std::string longer = "555-0103 extension 1234, ask for Anne";  // longer than the box's limit
  book.Records[0].Phones[3] = longer;
  book.Records[0].WhichPhone = 2;
  window->ShowRecord();
  EXPECT_EQ(window->txtPhone->text(), "555-0102");
  Press(window->txtName, Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), window->txtPhone);
  Press(window->txtPhone, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->optWhichPhone[2]);  // the selected option
  Press(window->optWhichPhone[2], Qt::Key_Left);
  EXPECT_EQ(book.Records[0].WhichPhone, 1);
  EXPECT_EQ(QApplication::focusWidget(), window->txtPhone);
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up}) Press(window->txtPhone, key);
  EXPECT_TRUE(window->optWhichPhone[3]->isChecked());
  EXPECT_EQ(window->txtPhone->text(), QString::fromStdString(longer));
  Press(window->txtPhone, Qt::Key_Down);
  EXPECT_EQ(window->txtPhone->text(), "555-0100");
  EXPECT_EQ(book.Records[0].Phones[3], longer);
  EXPECT_TRUE(book.Dirty);
}

TEST_F(MainWindowTest, GroupListNeverShowsAGroupTheRecordDoesNotHold) {
  window->GoToRecord(1);  // in "Family"
  QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window->cboGroups, &wheel);
  EXPECT_EQ(window->cboGroups->currentText(), "Family");
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_W, Qt::Key_C}) {
    Press(window->cboGroups, key);  // on the closed list
    EXPECT_EQ(window->cboGroups->currentText(), "Family") << key;
  }
  window->cboGroups->setFocus();
  Press(window->cboGroups, Qt::Key_Down);
  ASSERT_TRUE(window->cboGroups->view()->isVisible());
  Press(window->cboGroups->view(), Qt::Key_Down);
  Press(window->cboGroups->view(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(window->cboGroups->currentText(), "Family");
  EXPECT_FALSE(GroupListCancelled());
  window->OnGroupCloseUp();  // the same group again
  EXPECT_EQ(book.Records[1].Group, 1);
  EXPECT_FALSE(book.Dirty);
}

TEST_F(MainWindowTest, MultipleGroupsAreStoredInListOrderOneAsASingleGroupNoneWithoutGroups) {
  StoreGroupSet(book.Records[0], std::string("\0\1", 2));  // Work and Family
  window->ShowRecord();
  window->cboGroups->SelectCode(kMultipleGroups);
  WhenModalShown([](QDialog& dialog) {
    auto* list = dialog.findChild<QListWidget*>("lstGroups");
    EXPECT_EQ(list->count(), 3);  // no "<Ungrouped>"
    EXPECT_EQ(list->selectedItems().size(), 2);
    dialog.findChild<QPushButton*>("cmdSelectAll")->click();
    dialog.findChild<QPushButton*>("cmdOK")->click();
  });
  window->OnGroupCloseUp();
  EXPECT_EQ(book.Records[0].MultiGroups, std::string("\2\1\0", 3));  // Club, Family, Work
  EXPECT_EQ(window->cboGroups->currentText(), kMultipleGroupsText);
  EXPECT_TRUE(book.Dirty);
  window->cboGroups->SelectCode(kMultipleGroups);
  WhenModalShown([](QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdSelectNone")->click();
    dialog.findChild<QListWidget*>("lstGroups")->item(2)->setSelected(true);  // Work
    dialog.findChild<QPushButton*>("cmdOK")->click();
  });
  window->OnGroupCloseUp();
  EXPECT_EQ(book.Records[0].Group, 0);
  EXPECT_EQ(book.Records[0].MultiGroups, "");
  EXPECT_EQ(window->cboGroups->currentText(), "Work");
  book.Groups.clear();
  window->GoToRecord(2);  // ungrouped
  window->cboGroups->SelectCode(kMultipleGroups);
  window->OnGroupCloseUp();
  EXPECT_EQ(Fakes().messages.shown.at(0).second,
            "There are no groups to select from. Use the Edit Group List command to create groups.");
  EXPECT_EQ(window->cboGroups->currentText(), kUngroupedText);
}

TEST_F(MainWindowTest, DeletingMakesTheNextOrNewLastRecordCurrentAndTheLastOneEmptiesTheView) {
  window->GoToRecord(2);
  Fakes().messages.answers = {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
  window->mnuRecordsDelete_Click();
  EXPECT_EQ(window->txtName->text(), "John Smith");
  window->mnuRecordsDelete->trigger();  // answered No
  EXPECT_EQ(book.RecordCount(), 2);
  window->GoToRecord(0);
  window->mnuRecordsDelete->trigger();
  EXPECT_EQ(window->txtName->text(), "John Smith");
  window->mnuRecordsDelete->trigger();
  EXPECT_EQ(window->PromptText(), "No records");
  EXPECT_FALSE(window->optPrintAs[0]->isChecked());
  for (QObject* item : std::initializer_list<QObject*>{
           window->txtName, window->scrCurrRecord, window->mnuFilePrint, window->mnuEditPhoneNames,
           window->mnuRecordsDelete, window->mnuRecordsSearch, window->mnuRecordsFindNext,
           window->mnuRecordsFindPrevious, window->mnuRecordsSort, window->mnuOptionsDial,
           window->ToolbarButton("Delete"), window->ToolbarButton("Search"), window->ToolbarButton("Print"),
           window->ToolbarButton("Dial")})
    EXPECT_FALSE(item->property("enabled").toBool()) << item->objectName().toStdString();
  EXPECT_TRUE(window->ToolbarButton("Add")->isEnabled());
  EXPECT_EQ(window->optWhichPhone[0]->text(), "&1");
  EXPECT_TRUE(book.Dirty);
}

TEST_F(MainWindowTest, CtrlAAddsARecordAtTheEndWithTheLastPrintAsChoice) {
  book.DefaultPhoneNames = {3, 2, 1, -1};
  window->optPrintAs[1]->click();
  Press(window->txtName, Qt::Key_A, Qt::ControlModifier);  // the menu wins over select-all
  ASSERT_EQ(book.RecordCount(), 4);
  const AddressRecord& added = book.Records[3];
  EXPECT_EQ(std::tuple(added.PrintAs, added.Group, added.PhoneNameIndex),
            std::tuple(kPrintAsBusiness, kNoGroup, book.DefaultPhoneNames));
  EXPECT_EQ(window->PromptText(), "Record 4 of 4");
  EXPECT_EQ(QApplication::focusWidget(), window->txtName);
  EXPECT_TRUE(book.Dirty);
}

TEST_F(MainWindowTest, ConfirmedSortShowsTheFirstRecordAndCancelledChangesNothing) {
  book.Keys = {SortKey{kSortName, 0, 0, 1}, SortKey{}, SortKey{}};  // descending
  window->GoToRecord(1);
  for (const char* button : {"cmdCancel", "cmdOK"}) {
    WhenModalShown([button](QDialog& dialog) { dialog.findChild<QPushButton*>(button)->click(); });
    window->mnuRecordsSort->trigger();
    EXPECT_EQ(book.Dirty, button == std::string("cmdOK"));
    EXPECT_EQ(book.Records[0].Name, book.Dirty ? "Zed" : "Anne Brown");
  }
  EXPECT_EQ(window->txtName->text(), "Zed");
  EXPECT_EQ(window->PromptText(), "Record 1 of 3");
}

TEST_F(MainWindowTest, EditMenuFollowsFocusSelectionAndClipboard) {
  window->txtNotes->setFocus();
  window->mnuEdit_Update();
  EXPECT_FALSE(window->mnuEditCopy->isEnabled() || window->mnuEditPaste->isEnabled());
  window->txtName->setFocus();
  window->txtName->setSelection(0, 5);
  window->mnuEdit_Update();
  EXPECT_TRUE(window->mnuEditCut->isEnabled());
  window->mnuEditCut_Click();
  EXPECT_EQ(QStringList({clipboard.text, window->txtName->text()}), QStringList({"Anne ", "Brown"}));
  EXPECT_EQ(book.Records[0].Name, "Brown");
  EXPECT_TRUE(book.Dirty);
  window->mnuEdit_Update();
  EXPECT_TRUE(window->mnuEditPaste->isEnabled());
  window->scrCurrRecord->setFocus();
  window->mnuEdit_Update();
  EXPECT_FALSE(window->mnuEditPaste->isEnabled());
}

TEST_F(MainWindowTest, FileCommandsAskWhereChangesWouldBeLostAndShowTheFilesName) {
  settings.PhoneBook.PromptBeforeSaving = false;
  book.FileName = kUntitled;
  book.Dirty = true;
  Fakes().messages.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
  EXPECT_FALSE(window->close());  // Save As cancelled
  EXPECT_EQ(Fakes().messages.shown.at(0), std::pair(MessageKind::SaveQuestion, QString("Save changes to 'Untitled'?")));
  EXPECT_EQ(files.request.HelpContext, 1130);
  window->mnuFileNew_Click();  // answered Cancel
  EXPECT_EQ(book.RecordCount(), 3);
  files.result = FileDialogResult::Chosen;
  files.chosen = dir.filePath("FRIENDS.DAT");
  window->mnuFileSaveAs_Click();
  EXPECT_EQ(window->windowTitle(), "FRIENDS.DAT - Vantreo");
  EXPECT_EQ(files.request.Filter, "Vantreo Unicode Address Book (*.dat)|*.dat|"
                                  "Vantreo Address Book, Old Format (*.dat)|*.dat");
  window->mnuFileNew_Click();
  window->mnuFileOpen_Click();
  EXPECT_EQ(window->txtName->text(), "Anne Brown");
  EXPECT_EQ(files.request.HelpContext, 1110);
  book.Records[0].Name = "Changed";
  book.Dirty = true;
  EXPECT_TRUE(window->close());  // a named book is saved without asking
  EXPECT_EQ(Fakes().messages.shown.size(), 2u);
  BookState saved;
  LoadDocument(saved, files.chosen);
  EXPECT_EQ(saved.Records[0].Name, "Changed");
}

// F12's Settings choose the status bar's clock panes: the time, the date,
// both or neither, each showing now (before or after the change of a day).
TEST_F(MainWindowTest, F12ChoosesTheTimeAndDatePanesOfTheStatusBar) {
  QLocale::setDefault(QLocale::c());  // times as 16:05:09, dates as 7 Dec 2026
  const auto choose = [this](bool time, bool date) {
    WhenModalShown([time, date](QDialog& settingsDialog) {
      for (QCheckBox* box : settingsDialog.findChildren<QCheckBox*>()) {
        const bool wanted = box->text() == "Show Current &Time"   ? time
                            : box->text() == "Show Current &Date" ? date
                                                                  : box->isChecked();
        if (box->isChecked() != wanted) QTest::mouseClick(box, Qt::LeftButton);
      }
      settingsDialog.findChild<QPushButton*>("cmdOK")->click();
    });
    ShowActive(*window);
    const QDateTime before = QDateTime::currentDateTime();
    QTest::keyClick(window->txtName, Qt::Key_F12);
    const QDateTime after = QDateTime::currentDateTime();
    std::pair<int, int> shown;  // panes showing the time and the date
    for (const QLabel* pane : window->statusBar()->findChildren<QLabel*>()) {
      if (!pane->isVisible() || pane->text() == window->PromptText()) continue;
      const QTime paneTime = QLocale::c().toTime(pane->text(), QLocale::ShortFormat);
      const QDate paneDate = QLocale::c().toDate(pane->text(), QLocale::ShortFormat);
      const bool midnight = after.date() != before.date();
      shown.first += paneTime.isValid() && (midnight || (paneTime >= before.time().addMSecs(-999) && paneTime <= after.time()));
      shown.second += paneDate == before.date() || paneDate == after.date();
      EXPECT_TRUE(paneTime.isValid() || paneDate.isValid()) << pane->text().toStdString();
    }
    return shown;
  };
  EXPECT_EQ(choose(false, true), std::pair(0, 1));
  EXPECT_EQ(choose(true, false), std::pair(1, 0));
  EXPECT_EQ(choose(true, true), std::pair(1, 1));
  EXPECT_EQ(choose(false, false), std::pair(0, 0));
  QLocale::setDefault(QLocale::system());
}

constexpr size_t kLongest = 65535;  // the longest text a data file can hold

// The longest text, starting with first and then the character of every
// byte value in turn; multi-line text has CR LF pairs in place of the lone
// CR and LF bytes.
std::string LongText(char first, bool multiLine) {
  std::string text(1, first);
  for (int code = 0; text.size() < kLongest; code = (code + 1) % 256)
    if (!multiLine || (code != '\r' && code != '\n')) text += static_cast<char>(code);
    else if (code == '\r' && text.size() + 3 <= kLongest) text += "\r\n";
  return AnsiToUtf8(text);
}

// Values longer than their boxes' limits, as other programs write them, reach
// the file again byte for byte; typing may only shorten them.
TEST_F(MainWindowTest, LongFieldsSurviveShowingNavigatingSwitchingPhonesSearchingSortingAndSaving) {
  BookState original = BookWithGroups({});
  for (const char first : {'A', 'B'}) {
    AddressRecord& record = AddRecord(original, LongText(first, false), LongText(first, false));
    record.Address = record.Notes = LongText(first, true);
    record.Phones.fill(LongText(first, false));
  }
  original.Records[1].Name.replace(10, 6, "FINDME");
  original.Keys = {SortKey{kSortCompany, 0, 1, 0}, SortKey{}, SortKey{}};  // the records' own order
  original.FileName = dir.filePath("LONG.DAT");
  SaveDocument(original);
  LoadDocument(book, original.FileName);
  window->RefreshView();
  EXPECT_EQ(window->FieldText(4), QString::fromStdString(original.Records[0].Notes));  // shown whole
  for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp}) QTest::keyClick(window->txtName, key);
  for (const auto& [slot, option] : {std::pair{Qt::Key_2, 1}, {Qt::Key_1, 0}}) {
    QTest::keyClick(window->txtName, slot, Qt::AltModifier);
    // An access key clicks its option after a short press.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->optWhichPhone[option]->isChecked(); }, 60000)) << option;
  }
  settings.Search.SearchString = "findme";
  window->mnuRecordsFindNext->trigger();
  ASSERT_EQ(book.CurrentRecord, 1);
  WhenModalShown([](QDialog& sort) { sort.findChild<QPushButton*>("cmdOK")->click(); });
  window->mnuRecordsSort->trigger();
  window->txtNotes->moveCursor(QTextCursor::End);
  QTest::keyClick(window->txtNotes, Qt::Key_Backspace);
  QTest::keyClicks(window->txtNotes, "ZY");  // Y would make the notes longer than they were
  EXPECT_EQ(Fakes().beep.beeps, 1);
  window->mnuFileSave->trigger();
  QString notes = QString::fromStdString(original.Records[0].Notes);
  notes.back() = u'Z';
  original.Records[0].Notes = notes.toStdString();
  original.FileName = dir.filePath("EXPECTED.DAT");
  SaveDocument(original);
  EXPECT_TRUE(ReadBytes(book.FileName) == ReadBytes(original.FileName));
}

// A telephony service that keeps the last request and answers with a chosen result.
class FakeTelephony : public Telephony {
 public:
  int RequestMakeCall(const DialRequest& request) override {
    last = request;
    return result;
  }

  int result = kDialAccepted;
  std::optional<DialRequest> last;
};

TEST(DialNumber, HandsOverTheShownNumberUnchangedAndReportsARefusal) {
  FakeTelephony telephony;
  InstallTelephony(&telephony);
  AddressRecord record;
  record.Name = "Ann Lee";
  record.Company = "Lee Plumbing";
  record.Phones = {"555-0100", "555-0101", "", " +1 (555) 010-9999 ext. 12 "};
  for (const auto& [printAs, slot, party] :
       {std::tuple{kPrintAsBusiness, 3, "Lee Plumbing"}, {kPrintAsPerson, 1, "Ann Lee"}}) {
    record.PrintAs = printAs;
    DialNumber(record, slot, "FRIENDS.DAT - Vantreo");
    const DialRequest& sent = *telephony.last;
    EXPECT_EQ(QStringList({sent.DestinationAddress, sent.ApplicationName, sent.CalledParty, sent.Comment}),
              QStringList({QString::fromStdString(record.Phones[static_cast<size_t>(slot)]), "FRIENDS.DAT - Vantreo",
                           party, ""}));
  }
  EXPECT_TRUE(Fakes().messages.shown.empty());
  const std::pair<int, const char*> refusals[] = {
      {kDialNoRecipient, "No application for tel: links is set up on this computer. Install a dialing application, "
                         "such as a softphone, and make it the default application for tel: links."},
      {kDialQueueFull, "The queue of pending dialing requests is full."},
      {kDialInvalidAddress, "The phone number is not valid."},
      {kDialHandlerFailed, "The application set up for tel: links could not be started."},
      {-17, "Unknown error."},
  };
  for (const auto& [result, description] : refusals) {
    Fakes().messages.shown.clear();
    telephony.result = result;
    DialNumber(record, 1, "Untitled - Vantreo");
    EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::Notice,
                                                             QStringLiteral("Error dialing number : ") + description}}));
  }
  InstallTelephony(nullptr);
}

// On a desktop of the test's own, seen by the desktop tools through the XDG variables.
TEST(DesktopTelephony, NumberGoesOutAsTelLinkToTheDefaultApplicationAndItsAbsenceIsReported) {
  QTemporaryDir dir;
  for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION"}) qunsetenv(name);
  QDir(dir.path()).mkpath("data/applications");
  for (const auto& [name, folder] : {std::pair{"XDG_CONFIG_HOME", "."}, {"XDG_CONFIG_DIRS", "none"},
                                     {"XDG_DATA_HOME", "data"}, {"XDG_DATA_DIRS", "none"}})
    qputenv(name, QFile::encodeName(dir.filePath(QString::fromLatin1(folder))));
  QStandardPaths::setTestModeEnabled(false);  // the folders above are the test's own
  const auto makeDefault = [&dir](const char* program) {
    WriteBytes(dir.filePath("mimeapps.list"), "[Default Applications]\nx-scheme-handler/tel=phone.desktop\n");
    WriteBytes(dir.filePath("data/applications/phone.desktop"),
               "[Desktop Entry]\nType=Application\nName=Phone\nMimeType=x-scheme-handler/tel;\nExec=" +
                   dir.filePath(program).toStdString() + " %u\n");
  };
  AddressRecord record;
  record.Phones[0] = "555-0100";
  DialNumber(record, 0, "Untitled - Vantreo");
  makeDefault("no-such-program");
  DialNumber(record, 0, "Untitled - Vantreo");
  ASSERT_EQ(Fakes().messages.shown.size(), 2u);
  EXPECT_TRUE(Fakes().messages.shown[0].second.startsWith("Error dialing number : No application for tel: links"));
  EXPECT_EQ(Fakes().messages.shown[1].second,
            "Error dialing number : The application set up for tel: links could not be started.");
  // An application that writes the link it is given into a file, whole or not at all.
  WriteBytes(dir.filePath("record-tel"),
             "#!/bin/sh\nprintf %s \"$1\" > \"$0.part\" && mv \"$0.part\" \"$0.received\"\n");
  QFile::setPermissions(dir.filePath("record-tel"), QFile::ReadOwner | QFile::ExeOwner);
  makeDefault("record-tel");
  EXPECT_EQ(TelephonyService().RequestMakeCall({"   ", "Vantreo", "Ann", ""}), kDialInvalidAddress);
  EXPECT_EQ(TelephonyService().RequestMakeCall({"+1 (555) 010-9999 #2", "Vantreo", "Ann", ""}), kDialAccepted);
  const QString received = dir.filePath("record-tel.received");
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(received); }, 60000)) << "the tel: application never wrote the link";
  EXPECT_EQ(ReadBytes(received), "tel:+1%20(555)%20010-9999%20%232");
  QStandardPaths::setTestModeEnabled(true);
}

}  // namespace
