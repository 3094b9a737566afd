#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/GroupMembership.h"
#include "find/LastNameFirst.h"
#include "find/SortRecords.h"
#include "find/frmSort.h"
#include "mainwindow/frmMain.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

using Names = std::vector<std::string>;

SortKey Key(int16_t field, int16_t byLastName = 0, int16_t caseSensitive = 0, int16_t descending = 0) {
  return SortKey{field, byLastName, caseSensitive, descending};
}

constexpr SortKey kUnused{};

Names NamesOf(const BookState& book) {
  Names names;
  for (const AddressRecord& record : book.Records) names.push_back(record.Name);
  return names;
}

TEST(LastNameFirst, TurnsTheLastWordToTheFrontUnlessTheNameHasAComma) {
  const std::pair<const char*, const char*> cases[] = {
      {"John Smith", "Smith John"},        {"Mary Ann Smith", "Smith Mary Ann"}, {"Zed", "Zed"},
      {"", ""},                            {"  John Smith  ", "Smith John"},     {"John   Smith", "Smith John"},
      {"    ", ""},                        {" Smith,John Paul ", "Smith,John Paul"},
      {"John Smith,", "John Smith,"},      {"Anne Marie\tBrown", "Marie\tBrown Anne"},  // only spaces are blanks
  };
  for (const auto& [name, turned] : cases) EXPECT_EQ(LastNameFirst(name), turned) << name;
}

// Records as "name" or "name/company", the sort keys, and the names in the order sorted.
struct SortCase {
  Names records;
  SortKeys keys;
  Names sorted;
};

const SortCase kSortCases[] = {
    {{"John Smith", "Anne Brown", "Zed"}, {Key(kSortName, 1), kUnused, kUnused}, {"Anne Brown", "John Smith", "Zed"}},
    {{"Zed Adams", "Anne Brown", "Carl Young"}, {Key(kSortName, 1), kUnused, kUnused},
     {"Zed Adams", "Anne Brown", "Carl Young"}},
    {{"Zed Adams", "Anne Brown", "Carl Young"}, {Key(kSortName, 0), kUnused, kUnused},
     {"Anne Brown", "Carl Young", "Zed Adams"}},
    {{"Smith, John", "Tom Smithers", "Anne Brown", "Bob Smith", "Carl Smit"}, {Key(kSortName, 1, 1), kUnused, kUnused},
     {"Anne Brown", "Carl Smit", "Bob Smith", "Smith, John", "Tom Smithers"}},
    {{"Annx", "Ann  ", "Ann"}, {Key(kSortName, 0, 1), kUnused, kUnused}, {"Ann", "Ann  ", "Annx"}},
    // Character codes: capitals before small letters, codes above 127 last.
    {{"apple", "Zed", "Apple", "\xE9t\xE9", "Eve"}, {Key(kSortName, 0, 1), kUnused, kUnused},
     {"Apple", "Eve", "Zed", "apple", "\xE9t\xE9"}},
    {{"Zed", "apple", "mango", "Banana"}, {Key(kSortName), kUnused, kUnused}, {"apple", "Banana", "mango", "Zed"}},
    // Equal ignoring case: the next priority decides.
    {{"apple/2", "Zed/0", "APPLE/3", "Apple/1"}, {Key(kSortName), Key(kSortCompany, 0, 0, 1), kUnused},
     {"APPLE", "apple", "Apple", "Zed"}},
    {{"Bea/Beta", "Al/Alpha", "Cy/Beta", "Ann/Alpha", "Abe/Gamma"}, {Key(kSortCompany, 0, 0, 1), Key(kSortName), kUnused},
     {"Abe", "Bea", "Cy", "Al", "Ann"}},
    // Unused and damaged priorities are skipped; the third alone decides.
    {{"b", "a"}, {Key(kSortNone), Key(6), Key(kSortName)}, {"a", "b"}},
    {{"b", "a"}, {Key(-3), kUnused, kUnused}, {"b", "a"}},
    // Equal keys end where halving the gaps rounded to even (3 gives 2) puts them.
    {{"b", "a", "A"}, {Key(kSortName), kUnused, kUnused}, {"A", "a", "b"}},
    // Only 1 turns by-last-name and case sensitivity on, as the dialog shows them; any
    // descending value but 0 reverses.
    {{"Zed Adams", "apple Young", "Bob Brown"}, {Key(kSortName, -1, -1, 0), kUnused, kUnused},
     {"apple Young", "Bob Brown", "Zed Adams"}},
    {{"Zed Adams", "apple Young", "Bob Brown"}, {Key(kSortName, 2, 2, -1), kUnused, kUnused},
     {"Zed Adams", "Bob Brown", "apple Young"}},
};

class SortOrder : public testing::TestWithParam<SortCase> {};

TEST_P(SortOrder, SortsByTheKeysAndMarksTheBookChanged) {
  BookState book = BookWithGroups({});
  for (const std::string& record : GetParam().records) {
    const size_t slash = record.find('/');
    AddRecord(book, record.substr(0, slash), slash == std::string::npos ? "" : record.substr(slash + 1));
  }
  book.Keys = GetParam().keys;
  SortRecords(book);
  EXPECT_EQ(NamesOf(book), GetParam().sorted);
  EXPECT_TRUE(book.Dirty);
  for (int r = 1; r < book.RecordCount(); ++r) EXPECT_LE(CompareRecords(book, r - 1, r), 0) << r;
}

INSTANTIATE_TEST_SUITE_P(Cases, SortOrder, testing::ValuesIn(kSortCases));

TEST(SortRecords, GroupsSortByTheirTextAndRecordsMoveWhole) {
  BookState book = BookWithGroups({"Work", "Family", "<Aaa>"});
  AddRecord(book, "work").Group = 0;
  AddRecord(book, "ungrouped").Phones = {"1", "2", "3", "4"};
  StoreGroupSet(AddRecord(book, "several"), std::string("\0\1", 2));
  AddRecord(book, "family").Group = 1;
  AddRecord(book, "angled").Group = 2;
  const AddressRecord ungrouped = book.Records[1];
  book.Keys = {Key(kSortGroup, 1, 1), kUnused, kUnused};
  SortRecords(book);
  EXPECT_EQ(NamesOf(book), (Names{"angled", "several", "ungrouped", "family", "work"}));
  EXPECT_EQ(book.Records[2], ungrouped);
  EXPECT_EQ(book.Records[1].MultiGroups, std::string("\0\1", 2));
  EXPECT_EQ(Fakes().busy.timesShown, 1);
  EXPECT_FALSE(Fakes().busy.IsBusy());
}

TEST(SortRecords, EmptyBookIsRefusedAndLeftAlone) {
  BookState book = BookWithGroups({"Work"});
  SortRecords(book);
  EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::Notice, QString("There are no records to sort.")}}));
  EXPECT_FALSE(book.Dirty);
}

class SortDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({});
    book.Keys = {Key(kSortCompany, 1, 1, 1), Key(kSortName, 0, 0, 0), Key(9, 1, 0, 0)};
  }
  static void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

  BookState book;
};

TEST_F(SortDialogTest, ShowsTheKeysAndNoFieldForOneOutOfRange) {
  Exchange().DialogOK = 1;
  frmSort dialog(book);
  EXPECT_EQ(Exchange().DialogOK, 0);
  const int shown[3] = {kSortCompany, kSortName, -1};
  for (size_t p = 0; p < 3; ++p) {
    EXPECT_EQ(dialog.cboSortField[p]->currentIndex(), shown[p]) << p;
    EXPECT_EQ(dialog.chkByLastName[p]->isChecked(), book.Keys[p].ByLastName == 1) << p;
    EXPECT_EQ(dialog.chkByLastName[p]->isEnabled(), shown[p] == kSortName) << p;
    EXPECT_EQ(dialog.chkCaseSensitive[p]->isChecked(), book.Keys[p].CaseSensitive == 1) << p;
    EXPECT_EQ(dialog.optSortOrder[2 * p + 1]->isChecked(), book.Keys[p].Descending == 1) << p;
  }
  for (int i = 0; i < dialog.cboSortField[0]->count(); ++i) {
    dialog.cboSortField[0]->setCurrentIndex(i);
    EXPECT_EQ(dialog.chkByLastName[0]->isEnabled(), i == kSortName) << i;
    EXPECT_TRUE(dialog.chkByLastName[0]->isChecked()) << i;
  }
}

TEST_F(SortDialogTest, OkStoresWhatTheControlsShowAndCancelNothing) {
  for (const char* button : {"cmdCancel", "cmdOK"}) {
    const SortKeys before = book.Keys;
    frmSort dialog(book);
    ShowActive(dialog);
    dialog.cboSortField[0]->setCurrentIndex(kSortGroup);  // keeps its disabled by-last-name tick
    Click(dialog.chkCaseSensitive[0]);
    dialog.cboSortField[1]->setCurrentIndex(kSortNone);
    Click(dialog.optSortOrder[3]);
    dialog.cboSortField[2]->setCurrentIndex(kSortName);
    Click(dialog.chkByLastName[2]);
    Click(dialog.findChild<QPushButton*>(button));
    if (button == std::string("cmdCancel")) {
      EXPECT_EQ(book.Keys, before);
      EXPECT_EQ(Exchange().DialogOK, 0);
    } else {
      EXPECT_EQ(book.Keys, (SortKeys{Key(kSortGroup, 1, 0, 1), Key(kSortNone, 0, 0, 1), Key(kSortName, 0, 0, 0)}));
      EXPECT_EQ(Exchange().DialogOK, 1);
    }
  }
  EXPECT_FALSE(book.Dirty);
}

TEST(SortCommand, ConfirmedSortShowsTheFirstRecordAndCancelledChangesNothing) {
  BookState book = BookWithGroups({});
  for (const char* name : {"John Smith", "Anne Brown", "Zed"}) AddRecord(book, name);
  book.CurrentRecord = 2;
  ProgramSettings settings;
  frmMain window(book, settings);
  window.RefreshView();
  WhenModalShown([](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdCancel")->click(); });
  window.mnuRecordsSort->trigger();
  EXPECT_EQ(NamesOf(book), (Names{"John Smith", "Anne Brown", "Zed"}));
  EXPECT_FALSE(book.Dirty);
  WhenModalShown([](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdOK")->click(); });
  window.mnuRecordsSort->trigger();
  EXPECT_EQ(NamesOf(book), (Names{"Anne Brown", "John Smith", "Zed"}));
  EXPECT_EQ(window.txtName->text(), "Anne Brown");
  EXPECT_EQ(window.PromptText(), "Record 1 of 3");
  EXPECT_TRUE(book.Dirty);
}

}  // namespace
