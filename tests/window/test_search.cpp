#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/GroupMembership.h"
#include "find/FindInRecords.h"
#include "find/frmSearch.h"
#include "mainwindow/GroupComboBox.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"

namespace {

// Stands in for the main window: keeps the current record as GoToRecord
// sets it and writes down every call.
class RecordingNavigator : public RecordNavigator {
 public:
  void GoToRecord(int n) override {
    current = n;
    calls.push_back("go to " + std::to_string(n));
  }
  void ShowPhoneSlot(int slot) override { calls.push_back("phone slot " + std::to_string(slot)); }
  void FocusGroupList() override { calls.push_back("group list"); }
  void PlaceCaret(int k, int position) override {
    calls.push_back("caret in box " + std::to_string(k) + " at " + std::to_string(position));
  }

  int current = 0;
  std::vector<std::string> calls;
};

using Calls = std::vector<std::string>;

QString NoMore(const QString& text) { return QStringLiteral("No more occurrences of '%1'.").arg(text); }

class FindTest : public testing::Test {
 protected:
  void SetUp() override { book = BookWithGroups({"Work", "Team qq", "Family"}); }

  ProgramSettings::SearchSection Search(const std::string& text, bool matchCase = false, bool allFields = true,
                                        int16_t whichFields = 0) {
    ProgramSettings::SearchSection search;
    search.SearchString = text;
    search.MatchCase = matchCase;
    search.AllFields = allFields;
    search.WhichFields = whichFields;
    return search;
  }
  // What the Find Next and Find Previous commands run.
  void FindNext(const ProgramSettings::SearchSection& search) {
    FindInRecords(book, search, navigator, navigator.current + 1, 1);
  }
  void FindPrevious(const ProgramSettings::SearchSection& search) {
    FindInRecords(book, search, navigator, navigator.current - 1, -1);
  }
  std::vector<QString> Messages() const {
    std::vector<QString> texts;
    for (const auto& [kind, text] : Fakes().messages.shown) {
      EXPECT_EQ(kind, MessageKind::Notice);
      texts.push_back(text);
    }
    return texts;
  }

  BookState book;
  RecordingNavigator navigator;
};

TEST_F(FindTest, FindNextSkipsTheCurrentRecordAndWalksThroughTheMatches) {
  AddRecord(book, "Smith Smith");
  AddRecord(book, "Anne Brown");
  AddRecord(book, "John Smith");
  AddRecord(book, "Zed").Notes = "ask Smith";
  const auto search = Search("Smith");
  FindNext(search);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "caret in box 0 at 5"}));
  navigator.calls.clear();
  FindNext(search);
  EXPECT_EQ(navigator.calls, (Calls{"go to 3", "caret in box 4 at 4"}));
  navigator.calls.clear();
  FindNext(search);
  EXPECT_TRUE(navigator.calls.empty());
  EXPECT_EQ(Messages(), std::vector<QString>{NoMore("Smith")});
}

TEST_F(FindTest, FindFirstStartsAtTheFirstRecordAndTheSecondOccurrenceInARecordIsNeverVisited) {
  AddRecord(book, "Smith Smith");
  AddRecord(book, "Al Smith");
  navigator.current = 1;
  FindInRecords(book, Search("Smith"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 0", "caret in box 0 at 0"}));
  navigator.calls.clear();
  FindNext(Search("Smith"));
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 0 at 3"}));
}

TEST_F(FindTest, FindPreviousWalksBackwards) {
  AddRecord(book, "Smith A");
  AddRecord(book, "Smith B");
  AddRecord(book, "Smith C");
  navigator.current = 2;
  const auto search = Search("Smith");
  FindPrevious(search);
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 0 at 0"}));
  FindPrevious(search);
  EXPECT_EQ(navigator.current, 0);
  navigator.calls.clear();
  FindPrevious(search);
  EXPECT_TRUE(navigator.calls.empty());
  EXPECT_EQ(Messages(), std::vector<QString>{NoMore("Smith")});
}

TEST_F(FindTest, AnyDirectionButMinusOneIsForwards) {
  AddRecord(book, "Smith A");
  AddRecord(book, "Smith B");
  AddRecord(book, "Smith C");
  for (int direction : {0, 1, 2, -2}) {
    navigator.calls.clear();
    FindInRecords(book, Search("Smith"), navigator, 1, direction);
    EXPECT_EQ(navigator.calls.front(), "go to 1") << direction;
  }
  navigator.calls.clear();
  FindInRecords(book, Search("Smith C"), navigator, 1, 7);
  EXPECT_EQ(navigator.calls.front(), "go to 2");
}

TEST_F(FindTest, StartsOutsideTheBookReportNoMoreOccurrences) {
  FindInRecords(book, Search("x"), navigator, 0, 1);  // empty book
  FindInRecords(book, Search("x"), navigator, -1, -1);
  AddRecord(book, "x");
  AddRecord(book, "x");
  FindInRecords(book, Search("x"), navigator, 2, 1);    // Find Next on the last record
  FindInRecords(book, Search("x"), navigator, -1, -1);  // Find Previous on the first
  EXPECT_TRUE(navigator.calls.empty());
  EXPECT_EQ(Messages(), std::vector<QString>(4, NoMore("x")));
}

TEST_F(FindTest, MatchInTheFourthPhoneShowsThatSlotFirst) {
  AddRecord(book, "Anne Brown");
  AddRecord(book, "John Smith").Phones = {"555-0100", "", "", "(555) 555-0199"};
  FindNext(Search("0199"));
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "phone slot 3", "caret in box 3 at 10"}));
}

TEST_F(FindTest, PhonesAreSearchedInSlotOrderAndTheirNamesAreNot) {
  AddressRecord& record = AddRecord(book, "Anne");
  record.Phones = {"", "77", "1 77", "77"};
  AddRecord(book, "Bob");  // its phone names "Home", "Work" are not searched
  FindInRecords(book, Search("77"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 0", "phone slot 1", "caret in box 3 at 0"}));
  navigator.calls.clear();
  FindInRecords(book, Search("Home"), navigator, 0, 1);
  EXPECT_TRUE(navigator.calls.empty());
}

TEST_F(FindTest, MatchCaseOffFindsOtherCapitalsAndOnDoesNot) {
  AddRecord(book, "Anne Brown");
  AddRecord(book, "John Smith");
  AddRecord(book, "\xE9t\xE9 Smith");
  FindInRecords(book, Search("SMITH", false), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 0 at 5"}));
  navigator.calls.clear();
  FindInRecords(book, Search("\xC9T\xC9", false), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "caret in box 0 at 0"}));
  navigator.calls.clear();
  FindInRecords(book, Search("SMITH", true), navigator, 0, 1);
  EXPECT_TRUE(navigator.calls.empty());
  FindInRecords(book, Search("Smith", true), navigator, 2, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "caret in box 0 at 4"}));
  EXPECT_EQ(Messages(), std::vector<QString>{NoMore("SMITH")});
}

TEST_F(FindTest, GroupFieldMatchesTheGroupText) {
  AddRecord(book, "ungrouped");
  AddRecord(book, "work").Group = 0;
  StoreGroupSet(AddRecord(book, "several"), std::string("\0\2", 2));
  AddRecord(book, "family").Group = 2;
  const auto inGroups = [&](const std::string& text) { return Search(text, false, false, kSearchGroup); };
  FindInRecords(book, inGroups("Multiple"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "group list"}));
  navigator.calls.clear();
  FindInRecords(book, inGroups("<multiple groups...>"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "group list"}));
  navigator.calls.clear();
  FindInRecords(book, inGroups("Ungrouped"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 0", "group list"}));
  navigator.calls.clear();
  FindInRecords(book, inGroups("Family"), navigator, 0, 1);  // not the groups of the several-groups record
  EXPECT_EQ(navigator.calls, (Calls{"go to 3", "group list"}));
}

TEST_F(FindTest, OnlyTheSelectedFieldsAreSearched) {
  AddRecord(book, "Ann Notes").Company = "Notes Inc";
  AddRecord(book, "Bob").Notes = "Notes here";
  FindInRecords(book, Search("Notes", false, false, kSearchNotes), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 4 at 0"}));
  navigator.calls.clear();
  FindInRecords(book, Search("Notes", false, false, kSearchCompany | kSearchNotes), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 0", "caret in box 1 at 0"}));
  navigator.calls.clear();
  FindInRecords(book, Search("Notes", false, true, 0), navigator, 0, 1);  // all fields, whatever the mask says
  EXPECT_EQ(navigator.calls, (Calls{"go to 0", "caret in box 0 at 4"}));
  navigator.calls.clear();
  FindInRecords(book, Search("Notes", false, false, 0), navigator, 0, 1);  // no field chosen
  EXPECT_TRUE(navigator.calls.empty());
  EXPECT_EQ(Messages(), std::vector<QString>{NoMore("Notes")});
}

TEST_F(FindTest, FieldsAreLookedAtInTheirFixedOrder) {
  AddressRecord& record = AddRecord(book, "Name qq");
  record.Company = "C qq";
  record.Address = "1 Main\r\nqq";
  record.Group = 1;  // "Team qq"
  record.Phones = {"12 qq", "", "", ""};
  record.Notes = "Notes qq";
  const std::vector<std::pair<int, Calls>> order = {
      {kSearchName, {"go to 0", "caret in box 0 at 5"}},  {kSearchCompany, {"go to 0", "caret in box 1 at 2"}},
      {kSearchAddress, {"go to 0", "caret in box 2 at 8"}}, {kSearchGroup, {"go to 0", "group list"}},
      {kSearchPhone, {"go to 0", "phone slot 0", "caret in box 3 at 3"}},
      {kSearchNotes, {"go to 0", "caret in box 4 at 6"}},
  };
  int fields = kSearchName | kSearchCompany | kSearchAddress | kSearchGroup | kSearchPhone | kSearchNotes;
  for (const auto& [bit, calls] : order) {
    navigator.calls.clear();
    FindInRecords(book, Search("qq", false, false, static_cast<int16_t>(fields)), navigator, 0, 1);
    EXPECT_EQ(navigator.calls, calls) << bit;
    fields &= ~bit;
  }
  navigator.calls.clear();
  FindInRecords(book, Search("qq"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, order.front().second);
}

TEST_F(FindTest, NameBeforeNotesHoweverOftenFindNextRuns) {
  AddRecord(book, "Other");
  AddressRecord& both = AddRecord(book, "Pat Lee");
  both.Notes = "Lee again";
  for (int i = 0; i < 3; ++i) {
    navigator.current = 0;
    navigator.calls.clear();
    FindNext(Search("Lee"));
    EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 0 at 4"}));
  }
}

TEST_F(FindTest, SearchTextIsNotTrimmed) {
  AddRecord(book, "Smith");
  AddRecord(book, "Al Smith");
  AddRecord(book, "Two  Blanks");
  FindInRecords(book, Search(" Smith"), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 1", "caret in box 0 at 2"}));
  navigator.calls.clear();
  FindInRecords(book, Search("  "), navigator, 0, 1);
  EXPECT_EQ(navigator.calls, (Calls{"go to 2", "caret in box 0 at 3"}));
  navigator.calls.clear();
  FindInRecords(book, Search("Smith "), navigator, 0, 1);
  EXPECT_TRUE(navigator.calls.empty());
  EXPECT_EQ(Messages(), std::vector<QString>{NoMore("Smith ")});
}

TEST_F(FindTest, FindMatchTellsTheFieldAndPosition) {
  AddRecord(book, "Ann").Address = "1 Main\r\nSpringfield";
  const std::optional<SearchMatch> match = FindMatch(book, Search("spring"), 0, 1);
  ASSERT_TRUE(match.has_value());
  EXPECT_EQ(match->Record, 0);
  EXPECT_EQ(match->Place, SearchPlace::Address);
  EXPECT_EQ(match->Position, 8);
  EXPECT_FALSE(FindMatch(book, Search("Autumn"), 0, 1).has_value());
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

class SearchDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    search.SearchString = "Smith";
    search.MatchCase = false;
    search.AllFields = true;
    search.WhichFields = kSearchName | kSearchNotes;
  }
  void Show(frmSearch& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static std::vector<bool> Ticks(const frmSearch& dialog) {
    std::vector<bool> ticks;
    for (const QCheckBox* box : dialog.chkWhichFields) ticks.push_back(box->isChecked());
    return ticks;
  }
  static std::vector<bool> Enabled(const frmSearch& dialog) {
    std::vector<bool> enabled;
    for (const QCheckBox* box : dialog.chkWhichFields) enabled.push_back(box->isEnabled());
    return enabled;
  }

  ProgramSettings::SearchSection search;
};

TEST_F(SearchDialogTest, OpensWithTheStoredCriteria) {
  search.MatchCase = true;
  Exchange().DialogOK = 1;
  frmSearch dialog(search);
  Show(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Search");
  EXPECT_EQ(dialog.txtSearchFor->text(), "Smith");
  EXPECT_EQ(dialog.txtSearchFor->selectedText(), "Smith");
  EXPECT_TRUE(dialog.cmdFindFirst->isEnabled());
  EXPECT_TRUE(dialog.cmdFindNext->isEnabled());
  EXPECT_TRUE(dialog.cmdFindFirst->isDefault());
  EXPECT_TRUE(dialog.chkMatchCase->isChecked());
  EXPECT_TRUE(dialog.optSelectedFields[0]->isChecked());
  EXPECT_EQ(Ticks(dialog), (std::vector<bool>{true, false, false, false, false, true}));
  EXPECT_EQ(Enabled(dialog), std::vector<bool>(6, false));
  EXPECT_EQ(Exchange().DialogOK, 0);
  EXPECT_FALSE(dialog.FromNextRecord);
  EXPECT_FALSE(dialog.Expanded());
  EXPECT_FALSE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(dialog.optSelectedFields[1]->text(), "Selected Fiel&ds...");
  QStringList captions;
  for (const QCheckBox* box : dialog.chkWhichFields) captions << box->text();
  EXPECT_EQ(captions, (QStringList{"Name", "Company", "Address", "Group", "Phone", "Notes"}));
}

TEST_F(SearchDialogTest, FindButtonsNeedSomeText) {
  search.SearchString.clear();
  frmSearch dialog(search);
  Show(dialog);
  EXPECT_FALSE(dialog.cmdFindFirst->isEnabled());
  EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
  QTest::keyClicks(dialog.txtSearchFor, " ");
  EXPECT_TRUE(dialog.cmdFindFirst->isEnabled());
  EXPECT_TRUE(dialog.cmdFindNext->isEnabled());
  QTest::keyClick(dialog.txtSearchFor, Qt::Key_Backspace);
  EXPECT_FALSE(dialog.cmdFindFirst->isEnabled());
  EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
  QTest::keyClick(dialog.txtSearchFor, Qt::Key_Return);  // the default button is disabled
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Exchange().DialogOK, 0);
}

TEST_F(SearchDialogTest, FindFirstStoresTheCriteriaAsTyped) {
  frmSearch dialog(search);
  Show(dialog);
  QTest::keyClicks(dialog.txtSearchFor, "  Lee ");  // replaces the selected text
  Click(dialog.chkMatchCase);
  Click(dialog.optSelectedFields[1]);
  Click(dialog.chkWhichFields[0]);
  Click(dialog.chkWhichFields[3]);
  Click(dialog.chkWhichFields[4]);
  Click(dialog.cmdFindFirst);
  EXPECT_EQ(search.SearchString, "  Lee ");
  EXPECT_TRUE(search.MatchCase);
  EXPECT_FALSE(search.AllFields);
  EXPECT_EQ(search.WhichFields, kSearchGroup | kSearchPhone | kSearchNotes);
  EXPECT_EQ(Exchange().DialogOK, 1);
  EXPECT_FALSE(dialog.FromNextRecord);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SearchDialogTest, FindNextMarksTheDialogAndStoresTheSame) {
  search.AllFields = false;
  frmSearch dialog(search);
  Show(dialog);
  Click(dialog.chkWhichFields[1]);
  Click(dialog.optSelectedFields[0]);  // the field choice is still rebuilt
  Click(dialog.cmdFindNext);
  EXPECT_TRUE(dialog.FromNextRecord);
  EXPECT_EQ(Exchange().DialogOK, 1);
  EXPECT_EQ(search.SearchString, "Smith");
  EXPECT_FALSE(search.MatchCase);
  EXPECT_TRUE(search.AllFields);
  EXPECT_EQ(search.WhichFields, kSearchName | kSearchCompany | kSearchNotes);
}

TEST_F(SearchDialogTest, CancelStoresNothing) {
  frmSearch dialog(search);
  Show(dialog);
  QTest::keyClicks(dialog.txtSearchFor, "Other");
  Click(dialog.chkMatchCase);
  Click(dialog.optSelectedFields[1]);
  Click(dialog.chkWhichFields[2]);
  Click(dialog.findChild<QPushButton*>("cmdCancel"));
  EXPECT_EQ(search.SearchString, "Smith");
  EXPECT_FALSE(search.MatchCase);
  EXPECT_TRUE(search.AllFields);
  EXPECT_EQ(search.WhichFields, kSearchName | kSearchNotes);
  EXPECT_EQ(Exchange().DialogOK, 0);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SearchDialogTest, SelectedFieldsExpandsTheDialogOnce) {
  frmSearch dialog(search);
  Show(dialog);
  const int collapsed = dialog.frameGeometry().height();
  Click(dialog.optSelectedFields[1]);
  const int expanded = dialog.frameGeometry().height();
  EXPECT_TRUE(dialog.Expanded());
  EXPECT_TRUE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(dialog.optSelectedFields[1]->text(), "Selected Fiel&ds");
  EXPECT_EQ(Enabled(dialog), std::vector<bool>(6, true));
  // Outer heights of at least 2220 and 3420 twips, frame included, and tall
  // enough that no field box is squeezed or cut off.
  const double pixelsPerTwip = dialog.logicalDpiY() / 1440.0;
  EXPECT_GT(expanded, collapsed);
  EXPECT_GE(collapsed, 2220 * pixelsPerTwip - 2);
  EXPECT_GE(expanded, 3420 * pixelsPerTwip - 2);
  for (QCheckBox* box : dialog.chkWhichFields) {
    EXPECT_GE(box->height(), box->minimumSizeHint().height());
    EXPECT_TRUE(dialog.rect().contains(QRect(box->mapTo(&dialog, QPoint(0, 0)), box->size())));
  }
  Click(dialog.optSelectedFields[0]);
  EXPECT_EQ(dialog.frameGeometry().height(), expanded);
  EXPECT_TRUE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(Enabled(dialog), std::vector<bool>(6, false));
  EXPECT_EQ(Ticks(dialog), (std::vector<bool>{true, false, false, false, false, true}));
  Click(dialog.optSelectedFields[1]);
  EXPECT_EQ(dialog.frameGeometry().height(), expanded);
}

TEST_F(SearchDialogTest, StoredSelectedFieldsOpenExpanded) {
  search.AllFields = false;
  search.WhichFields = -1;
  frmSearch dialog(search);
  Show(dialog);
  EXPECT_TRUE(dialog.Expanded());
  EXPECT_TRUE(dialog.optSelectedFields[1]->isChecked());
  EXPECT_TRUE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(Enabled(dialog), std::vector<bool>(6, true));
  EXPECT_EQ(Ticks(dialog), std::vector<bool>(6, true));
  ProgramSettings::SearchSection allFields = search;
  allFields.AllFields = true;
  frmSearch collapsed(allFields);
  collapsed.show();
  EXPECT_GT(dialog.frameGeometry().height(), collapsed.frameGeometry().height());
}

TEST_F(SearchDialogTest, F1OpensTheSearchTopic) {
  frmSearch dialog(search);
  Show(dialog);
  QTest::keyClick(dialog.txtSearchFor, Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1330});
}

class MainWindowSearchTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({"Work", "Family"});
    AddRecord(book, "Anne Brown").Phones = {"555-0100", "", "", ""};
    AddressRecord& john = AddRecord(book, "John Smith", "Acme");
    john.Phones = {"555-0101", "", "", "555-0199"};
    john.Address = "1 Main St\r\nSpringfield";
    StoreGroupSet(AddRecord(book, "Zed"), std::string("\0\1", 2));
    AddRecord(book, "Mary Smith").Notes = "Springfield office";
    window = std::make_unique<frmMain>(book, settings);
    window->RefreshView();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void TearDown() override { window.reset(); }

  void Store(const std::string& text) {
    settings.Search.SearchString = text;
    settings.Search.AllFields = true;
    settings.Search.MatchCase = false;
  }

  BookState book;
  ProgramSettings settings;
  std::unique_ptr<frmMain> window;
};

TEST_F(MainWindowSearchTest, SearchCommandMovesToTheMatchAndPutsTheCaretBeforeIt) {
  book.CurrentRecord = 3;
  window->ShowRecord();
  WhenModalShown([](QDialog& dialog) {
    auto& searchDialog = dynamic_cast<frmSearch&>(dialog);
    searchDialog.txtSearchFor->setText("smith");
    searchDialog.cmdFindFirst->click();
  });
  window->mnuRecordsSearch->trigger();
  EXPECT_EQ(book.CurrentRecord, 1);
  EXPECT_EQ(window->txtName->text(), "John Smith");
  EXPECT_EQ(window->focusWidget(), window->txtName);
  EXPECT_EQ(window->txtName->cursorPosition(), 5);
  EXPECT_FALSE(window->txtName->hasSelectedText());
  EXPECT_EQ(settings.Search.SearchString, "smith");
  EXPECT_FALSE(book.Dirty);
}

TEST_F(MainWindowSearchTest, FindNextInTheDialogStartsAfterTheCurrentRecord) {
  book.CurrentRecord = 1;
  window->ShowRecord();
  WhenModalShown([](QDialog& dialog) {
    auto& searchDialog = dynamic_cast<frmSearch&>(dialog);
    searchDialog.txtSearchFor->setText("Smith");
    searchDialog.cmdFindNext->click();
  });
  window->mnuRecordsSearch->trigger();
  EXPECT_EQ(book.CurrentRecord, 3);
  EXPECT_EQ(window->txtName->cursorPosition(), 5);
}

TEST_F(MainWindowSearchTest, CancelledSearchChangesNothing) {
  WhenModalShown([](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdCancel")->click(); });
  window->mnuRecordsSearch->trigger();
  EXPECT_EQ(book.CurrentRecord, 0);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

TEST_F(MainWindowSearchTest, MatchInTheFourthPhoneSwitchesThePhoneBox) {
  Store("0199");
  window->mnuRecordsFindNext->trigger();
  EXPECT_EQ(book.CurrentRecord, 1);
  EXPECT_TRUE(window->optWhichPhone[3]->isChecked());
  EXPECT_EQ(window->txtPhone->text(), "555-0199");
  EXPECT_EQ(window->focusWidget(), window->txtPhone);
  EXPECT_EQ(window->txtPhone->cursorPosition(), 4);
  EXPECT_EQ(book.Records[1].WhichPhone, 3);
}

TEST_F(MainWindowSearchTest, CaretInTheAddressCountsTheLineBreak) {
  Store("Springfield");
  window->mnuRecordsFindNext->trigger();
  EXPECT_EQ(book.CurrentRecord, 1);
  EXPECT_EQ(window->focusWidget(), window->txtAddress);
  // "1 Main St" and its line break come before the match.
  EXPECT_EQ(window->txtAddress->textCursor().position(), 10);
  EXPECT_FALSE(window->txtAddress->textCursor().hasSelection());
  window->mnuRecordsFindNext->trigger();
  EXPECT_EQ(book.CurrentRecord, 3);
  EXPECT_EQ(window->focusWidget(), window->txtNotes);
  EXPECT_EQ(window->txtNotes->textCursor().position(), 0);
}

TEST_F(MainWindowSearchTest, GroupMatchFocusesTheGroupListWithoutChangingIt) {
  Store("Multiple");
  settings.Search.AllFields = false;
  settings.Search.WhichFields = kSearchGroup;
  window->mnuRecordsFindNext->trigger();
  EXPECT_EQ(book.CurrentRecord, 2);
  EXPECT_EQ(window->focusWidget(), window->cboGroups);
  EXPECT_EQ(window->cboGroups->currentText(), "<Multiple Groups...>");
  EXPECT_EQ(book.Records[2].Group, kMultipleGroups);
  EXPECT_FALSE(book.Dirty);
}

TEST_F(MainWindowSearchTest, FindPreviousAndTheEndsOfTheBook) {
  Store("Smith");
  book.CurrentRecord = 3;
  window->ShowRecord();
  window->mnuRecordsFindPrevious->trigger();
  EXPECT_EQ(book.CurrentRecord, 1);
  window->mnuRecordsFindPrevious->trigger();
  EXPECT_EQ(book.CurrentRecord, 1);
  EXPECT_EQ(window->txtName->text(), "John Smith");
  const std::pair<MessageKind, QString> noMore{MessageKind::Notice, NoMore("Smith")};
  EXPECT_EQ(Fakes().messages.shown, std::vector{noMore});
  window->GoToRecord(3);
  window->mnuRecordsFindNext->trigger();
  EXPECT_EQ(book.CurrentRecord, 3);
  EXPECT_EQ(Fakes().messages.shown, (std::vector{noMore, noMore}));
}

TEST_F(MainWindowSearchTest, FindNextAndPreviousWithoutASearchTextOpenTheDialog) {
  Store("");
  int shown = 0;
  const auto cancel = [&shown](QDialog& dialog) {
    ++shown;
    EXPECT_NE(dynamic_cast<frmSearch*>(&dialog), nullptr);
    dialog.reject();
  };
  WhenModalShown(cancel);
  window->mnuRecordsFindNext->trigger();
  WhenModalShown(cancel);
  window->mnuRecordsFindPrevious->trigger();
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(book.CurrentRecord, 0);
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

}  // namespace
