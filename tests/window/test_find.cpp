#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/GroupComboBox.h"
#include "core/GroupMembership.h"
#include "find/FindInRecords.h"
#include "find/LastNameFirst.h"
#include "find/SortRecords.h"
#include "find/frmSearch.h"
#include "find/frmSort.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/frmMain.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

constexpr int16_t kAllFields = -1;
constexpr int kGroupList = 5;
constexpr int kNoMore = -1;

std::vector<std::pair<MessageKind, QString>> NoMore(const std::string& text) {
  return {{MessageKind::Notice, QStringLiteral("No more occurrences of '%1'.").arg(QString::fromStdString(text))}};
}

// The main window on a book whose texts recur in several records and fields.
class SearchTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({"Work", "Family"});
    AddRecord(book, "Anne Brown").Phones = {"555-0100", "", "", ""};
    AddressRecord& john = AddRecord(book, "John Smith", "Acme");
    john.Phones = {"555-0101", "", "", "555-0199"};
    john.Address = "1 Main St\r\nSpringfield";
    StoreGroupSet(AddRecord(book, "Zed"), std::string("\0\1", 2));
    AddRecord(book, "Mary Smith").Notes = "Smith & Springfield office";
    AddRecord(book, "Jo Acme", "Acme");
    window = std::make_unique<frmMain>(book, settings);
    window->RefreshView();
    ShowActive(*window);
  }

  void Store(const std::string& text, int16_t fields = kAllFields, bool matchCase = false) {
    settings.Search = {text, matchCase, fields == kAllFields, fields == kAllFields ? int16_t{0} : fields};
  }
  // The caret of text box k, which must have the focus and no selection.
  int Caret(int k) {
    QWidget* box = window->txtFields[static_cast<size_t>(k)];
    EXPECT_EQ(window->focusWidget(), box);
    if (auto* line = qobject_cast<QLineEdit*>(box)) return line->hasSelectedText() ? -1 : line->cursorPosition();
    const QTextCursor cursor = static_cast<MultiLineField*>(box)->textCursor();
    return cursor.hasSelection() ? -1 : cursor.position();
  }

  BookState book;
  ProgramSettings settings;
  std::unique_ptr<frmMain> window;
};

struct FindCase {
  const char* name;
  std::string text;
  int16_t fields;
  bool matchCase;
  int current, direction;        // Find Next (1) or Find Previous (-1) from the current record
  int found, box, caret;          // the record, text box (or group list) and caret; kNoMore for the message
};

const FindCase kFindCases[] = {
    {"IgnoringCaseTheCaretBeforeTheMatch", "smith", kAllFields, false, 0, 1, 1, 0, 5},
    {"MatchingCase", "SMITH", kAllFields, true, 0, 1, kNoMore, 0, 0},
    {"SkipsTheCurrentRecordNameBeforeNotes", "Smith", kAllFields, false, 1, 1, 3, 0, 5},
    {"NoneAfterTheLastRecord", "Smith", kAllFields, false, 3, 1, kNoMore, 0, 0},
    {"BackPastRecordsWithoutAMatch", "Brown", kAllFields, false, 3, -1, 0, 0, 5},
    {"NoneBeforeTheFirstRecord", "Anne", kAllFields, false, 0, -1, kNoMore, 0, 0},
    {"TheFourthPhoneShownFirst", "0199", kAllFields, false, 0, 1, 1, 3, 4},
    {"InThePhoneAlreadyShown", "555-0100", kAllFields, false, 2, -1, 0, 3, 0},
    {"AddressBeforePhones", "1", kAllFields, false, 0, 1, 1, 2, 0},
    {"ALineBreakCountsOneCaretStep", "Springfield", kAllFields, false, 0, 1, 1, 2, 10},
    {"OnlyTheChosenFields", "Springfield", kSearchNotes, false, 0, 1, 3, 4, 8},
    {"InTheGroupList", "Multiple", kSearchGroup, false, 0, 1, 2, kGroupList, 0},
    {"NotTrimmed", " Smith", kAllFields, false, 0, 1, 1, 0, 4},
    {"PhoneNamesAreNotSearched", "Home", kAllFields, false, 0, 1, kNoMore, 0, 0},
    {"NoFieldChosen", "Smith", 0, false, 0, 1, kNoMore, 0, 0},
    {"InTheNameBeforeTheCompany", "acme", kAllFields, false, 3, 1, 4, 0, 3},
};

class FindCommandTest : public SearchTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindCommandTest, ShowsTheMatchOrSaysThereIsNoMore) {
  const FindCase& c = GetParam();
  Store(c.text, c.fields, c.matchCase);
  window->GoToRecord(c.current);
  (c.direction == 1 ? window->mnuRecordsFindNext : window->mnuRecordsFindPrevious)->trigger();
  if (c.found == kNoMore) {
    EXPECT_EQ(book.CurrentRecord, c.current);
    EXPECT_EQ(Fakes().messages.shown, NoMore(c.text));
    return;
  }
  EXPECT_EQ(book.CurrentRecord, c.found);
  EXPECT_TRUE(Fakes().messages.shown.empty());
  if (c.box == kGroupList) {
    EXPECT_EQ(window->focusWidget(), window->cboGroups);
    EXPECT_EQ(window->cboGroups->currentText(), kMultipleGroupsText);
  } else {
    EXPECT_EQ(Caret(c.box), c.caret);
  }
  const AddressRecord& record = book.Current();
  EXPECT_EQ(window->txtPhone->text().toStdString(), record.Phones[static_cast<size_t>(record.WhichPhone)]);
  EXPECT_EQ(book.Dirty, record.WhichPhone != 0);  // only switching the phone slot changes the book
}

INSTANTIATE_TEST_SUITE_P(Cases, FindCommandTest, testing::ValuesIn(kFindCases),
                         [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

// Search..., and Find Next or Previous without search text, open the dialog;
// Find First searches from the first record, Find Next from the next one.
TEST_F(SearchTest, TheDialogFindsFromTheFirstOrTheNextRecord) {
  window->GoToRecord(1);
  const std::tuple<bool, QAction*, const char*, int> steps[] = {
      {true, window->mnuRecordsFindNext, "cmdFindFirst", 1},
      {false, window->mnuRecordsSearch, "cmdFindNext", 3},
      {true, window->mnuRecordsFindPrevious, "cmdCancel", 3},
  };
  for (const auto& [noSearchText, command, button, found] : steps) {
    if (noSearchText) Store("");
    WhenModalShown([button = button](QDialog& dialog) {
      dialog.findChild<QLineEdit*>("txtSearchFor")->setText("Smith");
      dialog.findChild<QPushButton*>(button)->click();
    });
    command->trigger();
    EXPECT_EQ(book.CurrentRecord, found) << button;
  }
  EXPECT_TRUE(Fakes().messages.shown.empty());
}

class SearchDialogTest : public testing::Test {
 protected:
  // One state of each field box: ticked or enabled.
  static std::vector<bool> Boxes(const frmSearch& dialog, bool (QCheckBox::*state)() const) {
    std::vector<bool> states;
    for (const QCheckBox* box : dialog.chkWhichFields) states.push_back((box->*state)());
    return states;
  }
  static auto Criteria(const ProgramSettings::SearchSection& s) {
    return std::tie(s.SearchString, s.MatchCase, s.AllFields, s.WhichFields);
  }

  ProgramSettings::SearchSection search{"Smith", true, true, kSearchName | kSearchNotes};
};

TEST_F(SearchDialogTest, OpensCollapsedWithTheStoredCriteriaAndSelectedFieldsExpandsItOnce) {
  Exchange().DialogOK = 1;
  frmSearch dialog(search);
  ShowActive(dialog);
  EXPECT_EQ(dialog.txtSearchFor->selectedText(), "Smith");
  EXPECT_TRUE(dialog.chkMatchCase->isChecked() && dialog.optSelectedFields[0]->isChecked());
  EXPECT_EQ(Boxes(dialog, &QCheckBox::isChecked), (std::vector<bool>{true, false, false, false, false, true}));
  EXPECT_EQ(Boxes(dialog, &QWidget::isEnabled), std::vector<bool>(6, false));
  EXPECT_EQ(Exchange().DialogOK, 0);
  EXPECT_FALSE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(dialog.optSelectedFields[1]->text(), "Selected Fiel&ds...");
  QTest::mouseClick(dialog.optSelectedFields[1], Qt::LeftButton);
  const int expanded = dialog.frameGeometry().height();
  EXPECT_TRUE(dialog.fraWhichFields->isVisible());
  EXPECT_EQ(dialog.optSelectedFields[1]->text(), "Selected Fiel&ds");
  EXPECT_EQ(Boxes(dialog, &QWidget::isEnabled), std::vector<bool>(6, true));
  for (QCheckBox* box : dialog.chkWhichFields) EXPECT_GE(box->height(), box->minimumSizeHint().height());
  QTest::mouseClick(dialog.optSelectedFields[0], Qt::LeftButton);  // disables the boxes but stays expanded
  EXPECT_EQ(dialog.frameGeometry().height(), expanded);
  EXPECT_EQ(Boxes(dialog, &QWidget::isEnabled), std::vector<bool>(6, false));
  search.AllFields = false;
  frmSearch stored(search);
  ShowActive(stored);
  EXPECT_TRUE(stored.fraWhichFields->isVisible());
  EXPECT_EQ(Boxes(stored, &QWidget::isEnabled), std::vector<bool>(6, true));
}

TEST_F(SearchDialogTest, OnlyTheFindButtonsStoreTheCriteriaAsTypedAndNeedSomeText) {
  const ProgramSettings::SearchSection stored = search;
  for (const char* button : {"cmdCancel", "cmdFindFirst", "cmdFindNext"}) {
    search = stored;
    frmSearch dialog(search);
    ShowActive(dialog);
    QTest::keyClick(dialog.txtSearchFor, Qt::Key_Backspace);
    EXPECT_FALSE(dialog.cmdFindFirst->isEnabled());
    EXPECT_FALSE(dialog.cmdFindNext->isEnabled());
    QTest::keyClick(dialog.txtSearchFor, Qt::Key_Return);  // the default button is disabled
    QTest::keyClicks(dialog.txtSearchFor, "  Lee ");
    QTest::mouseClick(dialog.chkMatchCase, Qt::LeftButton);
    QTest::mouseClick(dialog.optSelectedFields[1], Qt::LeftButton);
    for (int n : {0, 3, 4}) QTest::mouseClick(dialog.chkWhichFields[static_cast<size_t>(n)], Qt::LeftButton);
    const bool findNext = button == std::string("cmdFindNext");
    if (findNext) QTest::mouseClick(dialog.optSelectedFields[0], Qt::LeftButton);  // the ticks are still stored
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    if (button == std::string("cmdCancel")) {
      EXPECT_EQ(Criteria(search), Criteria(stored));
      EXPECT_EQ(Exchange().DialogOK, 0);
      continue;
    }
    const ProgramSettings::SearchSection typed{"  Lee ", false, findNext, kSearchGroup | kSearchPhone | kSearchNotes};
    EXPECT_EQ(Criteria(search), Criteria(typed)) << button;
    EXPECT_EQ(Exchange().DialogOK, 1);
    EXPECT_EQ(dialog.FromNextRecord, findNext);
  }
}

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

// Records as "name" or "name/company", the sort keys, and the names in the
// order sorted; "~name" stands for a name in any case, for names that
// differ only in case where the keys ignore it (ties, in any order).
struct SortCase {
  const char* name;
  Names records;
  SortKeys keys;
  Names sorted;
};

const SortCase kSortCases[] = {
    {"ByName", {"John Smith", "Anne Brown", "Zed"}, {Key(kSortName, 1), kUnused, kUnused}, {"Anne Brown", "John Smith", "Zed"}},
    {"ByLastName", {"Zed Adams", "Anne Brown", "Carl Young"}, {Key(kSortName, 1), kUnused, kUnused},
     {"Zed Adams", "Anne Brown", "Carl Young"}},
    {"ByFirstWord", {"Zed Adams", "Anne Brown", "Carl Young"}, {Key(kSortName, 0), kUnused, kUnused},
     {"Anne Brown", "Carl Young", "Zed Adams"}},
    {"ByLastNameACommaKeepsTheNameAsWritten", {"Smith, John", "Tom Smithers", "Anne Brown", "Bob Smith", "Carl Smit"},
     {Key(kSortName, 1, 1), kUnused, kUnused}, {"Anne Brown", "Carl Smit", "Bob Smith", "Smith, John", "Tom Smithers"}},
    {"TrailingBlanksSortAfterTheShorterName", {"Annx", "Ann  ", "Ann"}, {Key(kSortName, 0, 1), kUnused, kUnused},
     {"Ann", "Ann  ", "Annx"}},
    // Character codes: capitals before small letters, codes above 127 last.
    {"CaseSensitiveByCharacterCode", {"apple", "Zed", "Apple", "été", "Eve"}, {Key(kSortName, 0, 1), kUnused, kUnused},
     {"Apple", "Eve", "Zed", "apple", "été"}},
    {"IgnoringCase", {"Zed", "apple", "mango", "Banana"}, {Key(kSortName), kUnused, kUnused}, {"apple", "Banana", "mango", "Zed"}},
    {"EqualIgnoringCaseTheNextKeyDecides", {"apple/2", "Zed/0", "APPLE/3", "Apple/1"},
     {Key(kSortName), Key(kSortCompany, 0, 0, 1), kUnused}, {"APPLE", "apple", "Apple", "Zed"}},
    {"ByCompanyDescendingThenName", {"Bea/Beta", "Al/Alpha", "Cy/Beta", "Ann/Alpha", "Abe/Gamma"},
     {Key(kSortCompany, 0, 0, 1), Key(kSortName), kUnused}, {"Abe", "Bea", "Cy", "Al", "Ann"}},
    // Unused and damaged priorities are skipped; the third alone decides.
    {"UnusedAndDamagedKeysAreSkipped", {"b", "a"}, {Key(kSortNone), Key(6), Key(kSortName)}, {"a", "b"}},
    {"ADamagedFirstKeyKeepsTheOrder", {"b", "a"}, {Key(-3), kUnused, kUnused}, {"b", "a"}},
    {"EqualKeysStayTogether", {"b", "A", "c", "a"}, {Key(kSortName), kUnused, kUnused}, {"~a", "~a", "b", "c"}},
    // Only 1 turns by-last-name and case sensitivity on, as the dialog shows them; any
    // descending value but 0 reverses.
    {"OnlyOneTurnsOptionsOn", {"Zed Adams", "apple Young", "Bob Brown"}, {Key(kSortName, -1, -1, 0), kUnused, kUnused},
     {"apple Young", "Bob Brown", "Zed Adams"}},
    {"AnyDescendingValueButZeroReverses", {"Zed Adams", "apple Young", "Bob Brown"},
     {Key(kSortName, 2, 2, -1), kUnused, kUnused}, {"Zed Adams", "Bob Brown", "apple Young"}},
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
  Names sorted = NamesOf(book);
  for (size_t r = 0; r < std::min(sorted.size(), GetParam().sorted.size()); ++r)
    if (GetParam().sorted[r].starts_with('~')) sorted[r] = "~" + QString::fromStdString(sorted[r]).toLower().toStdString();
  EXPECT_EQ(sorted, GetParam().sorted);
  Names before = GetParam().records, after = NamesOf(book);
  for (Names* names : {&before, &after}) {
    for (std::string& name : *names) name = name.substr(0, name.find('/'));
    std::sort(names->begin(), names->end());
  }
  EXPECT_EQ(after, before);  // every record once
  EXPECT_TRUE(book.Dirty);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortOrder, testing::ValuesIn(kSortCases),
                         [](const testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

TEST(SortRecords, GroupsSortByTheirTextRecordsMoveWholeAndAnEmptyBookIsRefused) {
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
  EXPECT_TRUE(Fakes().busy.ShownThenRestored());
  BookState empty = BookWithGroups({"Work"});
  SortRecords(empty);
  EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::Notice, QString("There are no records to sort.")}}));
  EXPECT_FALSE(empty.Dirty);
}

// No field is shown for a key out of range; OK stores what the controls show, Cancel nothing.
TEST(SortDialog, ShowsTheKeysAndOkStoresWhatTheControlsShow) {
  BookState book = BookWithGroups({});
  book.Keys = {Key(kSortCompany, 1, 1, 1), Key(kSortName, 0, 0, 0), Key(9, 1, 0, 0)};
  const SortKeys stored = book.Keys;
  const auto click = [](QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); };
  for (const std::string button : {"cmdCancel", "cmdOK"}) {
    Exchange().DialogOK = 1;
    frmSort dialog(book);
    EXPECT_EQ(Exchange().DialogOK, 0);
    ShowActive(dialog);
    const int shown[3] = {kSortCompany, kSortName, -1};
    for (size_t p = 0; p < 3; ++p) {
      EXPECT_EQ(dialog.cboSortField[p]->currentIndex(), shown[p]) << p;
      EXPECT_EQ(dialog.chkByLastName[p]->isChecked(), stored[p].ByLastName == 1) << p;
      EXPECT_EQ(dialog.chkByLastName[p]->isEnabled(), shown[p] == kSortName) << p;
      EXPECT_EQ(dialog.chkCaseSensitive[p]->isChecked(), stored[p].CaseSensitive == 1) << p;
      EXPECT_EQ(dialog.optSortOrder[2 * p + 1]->isChecked(), stored[p].Descending == 1) << p;
    }
    dialog.cboSortField[0]->setCurrentIndex(kSortGroup);  // keeps its disabled by-last-name tick
    click(dialog.chkCaseSensitive[0]);
    dialog.cboSortField[1]->setCurrentIndex(kSortNone);
    click(dialog.optSortOrder[3]);
    dialog.cboSortField[2]->setCurrentIndex(kSortName);
    click(dialog.chkByLastName[2]);
    click(dialog.findChild<QPushButton*>(QString::fromStdString(button)));
    const bool ok = button == "cmdOK";
    EXPECT_EQ(book.Keys, (ok ? SortKeys{Key(kSortGroup, 1, 0, 1), Key(kSortNone, 0, 0, 1), Key(kSortName)} : stored));
    EXPECT_EQ(Exchange().DialogOK, ok ? 1 : 0);
  }
  EXPECT_FALSE(book.Dirty);
}

}  // namespace
