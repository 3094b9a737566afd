#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/GroupMembership.h"
#include "find/LastNameFirst.h"
#include "find/SortRecords.h"
#include "find/frmSort.h"
#include "mainwindow/frmMain.h"
#include "platform/Collation.h"
#include "support/BookInvariants.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"

namespace {

SortKey Key(int16_t field, int16_t byLastName = 0, int16_t caseSensitive = 0, int16_t descending = 0) {
  return SortKey{field, byLastName, caseSensitive, descending};
}

constexpr SortKey kUnused{};

std::vector<std::string> Names(const BookState& book) {
  std::vector<std::string> names;
  for (const AddressRecord& record : book.Records) names.push_back(record.Name);
  return names;
}

std::vector<std::string> Tags(const std::vector<AddressRecord>& records) {
  std::vector<std::string> tags;
  for (const AddressRecord& record : records) tags.push_back(record.Notes);
  return tags;
}

std::vector<std::string> Tags(const BookState& book) { return Tags(book.Records); }

// A book whose records carry the names given, each tagged in its notes with
// its position before the sort.
BookState BookOfNames(const std::vector<std::string>& names) {
  BookState book = BookWithGroups({});
  for (size_t i = 0; i < names.size(); ++i) AddRecord(book, names[i]).Notes = "#" + std::to_string(i);
  return book;
}

TEST(LastNameFirst, LastWordComesFirst) {
  EXPECT_EQ(LastNameFirst("John Smith"), "Smith John");
  EXPECT_EQ(LastNameFirst("Mary Ann Smith"), "Smith Mary Ann");
  EXPECT_EQ(LastNameFirst("Zed"), "Zed");
  EXPECT_EQ(LastNameFirst(""), "");
}

TEST(LastNameFirst, BlanksAroundTheNameAndBeforeTheLastWordAreDropped) {
  EXPECT_EQ(LastNameFirst("  John Smith  "), "Smith John");
  EXPECT_EQ(LastNameFirst("John   Smith"), "Smith John");
  EXPECT_EQ(LastNameFirst("   Zed "), "Zed");
  EXPECT_EQ(LastNameFirst("    "), "");
}

TEST(LastNameFirst, NameWithACommaIsKeptAsWrittenButTrimmed) {
  EXPECT_EQ(LastNameFirst("Smith, John"), "Smith, John");
  EXPECT_EQ(LastNameFirst(" Smith,John Paul "), "Smith,John Paul");
  EXPECT_EQ(LastNameFirst("John Smith,"), "John Smith,");
}

TEST(LastNameFirst, OnlySpacesAreBlanks) {
  EXPECT_EQ(LastNameFirst("John\tSmith"), "John\tSmith");
  EXPECT_EQ(LastNameFirst("Anne Marie\tBrown"), "Marie\tBrown Anne");
}

class SortTest : public testing::Test {
 protected:
  void SortBy(BookState& book, SortKey first, SortKey second = kUnused, SortKey third = kUnused) {
    book.Keys = {first, second, third};
    SortRecords(book);
  }
};

TEST_F(SortTest, ByLastNameTurnsTheNamesRound) {
  BookState book = BookOfNames({"John Smith", "Anne Brown", "Zed"});
  SortBy(book, Key(kSortName, 1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Anne Brown", "John Smith", "Zed"}));
}

TEST_F(SortTest, WithoutByLastNameTheNamesCompareAsWritten) {
  BookState book = BookOfNames({"John Smith", "Anne Brown", "Zed"});
  SortBy(book, Key(kSortName, 0));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Anne Brown", "John Smith", "Zed"}));
  book = BookOfNames({"Zed Adams", "Anne Brown", "Carl Young"});
  SortBy(book, Key(kSortName, 0));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Anne Brown", "Carl Young", "Zed Adams"}));
  SortBy(book, Key(kSortName, 1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Zed Adams", "Anne Brown", "Carl Young"}));
}

TEST_F(SortTest, NameWithACommaSortsAmongItsLastName) {
  BookState book = BookOfNames({"Smith, John", "Tom Smithers", "Anne Brown", "Bob Smith", "Carl Smit"});
  SortBy(book, Key(kSortName, 1, 1));
  EXPECT_EQ(Names(book),
            (std::vector<std::string>{"Anne Brown", "Carl Smit", "Bob Smith", "Smith, John", "Tom Smithers"}));
}

TEST_F(SortTest, TrailingBlanksCountOnlyWhenTheNameIsNotTurned) {
  // By character code " " (32) sorts before "x", so "Ann " comes before
  // "Annx" as written; trimmed, "Ann" is a prefix of both.
  BookState book = BookOfNames({"Annx", "Ann  ", "Ann"});
  SortBy(book, Key(kSortName, 0, 1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Ann", "Ann  ", "Annx"}));
  book.Keys = {Key(kSortName, 1, 1), kUnused, kUnused};
  EXPECT_EQ(CompareRecords(book, 0, 1), 0);
  EXPECT_EQ(CompareRecords(book, 1, 2), -1);
  book.Keys = {Key(kSortName, 0, 1), kUnused, kUnused};
  EXPECT_EQ(CompareRecords(book, 0, 1), -1);
}

TEST_F(SortTest, DescendingFirstPriorityWithAscendingSecond) {
  BookState book = BookWithGroups({});
  AddRecord(book, "Bea", "Beta");
  AddRecord(book, "Al", "Alpha");
  AddRecord(book, "Cy", "Beta");
  AddRecord(book, "Ann", "Alpha");
  AddRecord(book, "Abe", "Gamma");
  SortBy(book, Key(kSortCompany, 0, 0, 1), Key(kSortName));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Abe", "Bea", "Cy", "Al", "Ann"}));
  EXPECT_EQ(CompareRecords(book, 0, 1), -1);
  EXPECT_EQ(CompareRecords(book, 1, 0), 1);
  EXPECT_EQ(CompareRecords(book, 0, 0), 0);
}

TEST_F(SortTest, ThirdPriorityDecidesWhenTheFirstTwoTie) {
  BookState book = BookWithGroups({});
  AddRecord(book, "Same", "Co").Address = "2 Main";
  AddRecord(book, "Same", "Co").Address = "1 Main";
  SortBy(book, Key(kSortName), Key(kSortCompany), Key(kSortAddress, 0, 0, 1));
  EXPECT_EQ(book.Records[0].Address, "2 Main");
  SortBy(book, Key(kSortName), Key(kSortCompany), Key(kSortAddress));
  EXPECT_EQ(book.Records[0].Address, "1 Main");
}

TEST_F(SortTest, CaseSensitiveComparesCharacterCodes) {
  BookState book = BookOfNames({"apple", "Zed", "Apple", "\xE9t\xE9", "Eve"});
  SortBy(book, Key(kSortName, 0, 1));
  // Capitals before small letters, codes above 127 after both.
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Apple", "Eve", "Zed", "apple", "\xE9t\xE9"}));
}

TEST_F(SortTest, IgnoringCaseSortsSmallLettersAmongCapitals) {
  BookState book = BookOfNames({"Zed", "apple", "mango", "Banana"});
  SortBy(book, Key(kSortName, 0, 0));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"apple", "Banana", "mango", "Zed"}));
}

TEST_F(SortTest, IgnoringCaseLetsTheNextPriorityDecide) {
  BookState book = BookWithGroups({});
  AddRecord(book, "apple", "2");
  AddRecord(book, "Zed", "0");
  AddRecord(book, "APPLE", "3");
  AddRecord(book, "Apple", "1");
  book.Keys = {Key(kSortName), Key(kSortCompany), kUnused};
  EXPECT_EQ(CompareRecords(book, 0, 2), -1);  // decided by the company
  book.Keys[1] = kUnused;
  EXPECT_EQ(CompareRecords(book, 0, 2), 0);
  EXPECT_EQ(CompareRecords(book, 0, 3), 0);
  SortBy(book, Key(kSortName), Key(kSortCompany, 0, 0, 1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"APPLE", "apple", "Apple", "Zed"}));
}

TEST_F(SortTest, GroupSortUsesTheGroupText) {
  BookState book = BookWithGroups({"Work", "Family", "<Aaa>"});
  AddRecord(book, "work").Group = 0;
  AddRecord(book, "ungrouped");
  StoreGroupSet(AddRecord(book, "several"), std::string("\0\1", 2));
  AddRecord(book, "family").Group = 1;
  AddRecord(book, "angled").Group = 2;
  SortBy(book, Key(kSortGroup, 1, 1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"angled", "several", "ungrouped", "family", "work"}));
  EXPECT_EQ(SortKeyText(book, book.Records[1], Key(kSortGroup)), "<Multiple Groups...>");
  EXPECT_EQ(SortKeyText(book, book.Records[2], Key(kSortGroup)), "<Ungrouped>");
  EXPECT_EQ(BrokenInvariant(book), "");
}

TEST_F(SortTest, KeyTextOfEachField) {
  BookState book = BookWithGroups({"Club"});
  AddressRecord& record = AddRecord(book, " Anne  Brown ", "Acme");
  record.Address = "1 Main St\r\nTown";
  record.Notes = "notes";
  record.Group = 0;
  record.Phones = {"555", "", "", ""};
  EXPECT_EQ(SortKeyText(book, record, Key(kSortName, 0)), " Anne  Brown ");
  EXPECT_EQ(SortKeyText(book, record, Key(kSortName, 1)), "Brown Anne");
  EXPECT_EQ(SortKeyText(book, record, Key(kSortCompany, 1)), "Acme");  // by last name only for names
  EXPECT_EQ(SortKeyText(book, record, Key(kSortAddress)), "1 Main St\r\nTown");
  EXPECT_EQ(SortKeyText(book, record, Key(kSortGroup)), "Club");
  EXPECT_EQ(SortKeyText(book, record, Key(kSortNotes)), "notes");
}

TEST_F(SortTest, UnusedAndDamagedPrioritiesAreSkipped) {
  BookState book = BookOfNames({"b", "a"});
  book.Keys = {Key(kSortNone), Key(6), Key(-3)};
  EXPECT_EQ(CompareRecords(book, 0, 1), 0);
  SortRecords(book);
  EXPECT_EQ(Names(book), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(book.Dirty);
  SortBy(book, Key(99), Key(kSortName));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"a", "b"}));
}

TEST_F(SortTest, OptionValuesOtherThanOneCountAsOff) {
  // The dialog ticks a box only for the value 1; the sort agrees with what
  // it shows. Descending is on for any value but 0.
  BookState book = BookOfNames({"Zed Adams", "apple Young", "Bob Brown"});
  SortBy(book, Key(kSortName, -1, -1, 0));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"apple Young", "Bob Brown", "Zed Adams"}));
  SortBy(book, Key(kSortName, 2, 2, -1));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Zed Adams", "Bob Brown", "apple Young"}));
}

TEST(IgnoringCaseKey, KeysCompareAsTheTextsDo) {
  const std::vector<std::string> texts = {
      "",       "a",           "A",           "apple",       "Apple",   "APPLE",
      "apples", "Zed",         "zed",         "Brown",       "brown ",  "<Ungrouped>",
      "Family", "<Multiple Groups...>",       "\xE9t\xE9",   "\xC9t\xE9", "Eve",
      "O'Neil", "van Dyke",    "1 Main",      std::string("a\0b", 3),    "\x80uro"};
  for (const std::string& a : texts)
    for (const std::string& b : texts)
      EXPECT_EQ(IgnoringCaseKey(a).Compare(IgnoringCaseKey(b)), CompareAnsiIgnoringCase(a, b)) << a << " / " << b;
  EXPECT_EQ(CompareAnsiIgnoringCase("apple", "APPLE"), 0);
  EXPECT_EQ(CompareAnsiIgnoringCase("apple", "Zed"), -1);
  EXPECT_EQ(CompareAnsiIgnoringCase("Zed", "apple"), 1);
}

TEST_F(SortTest, EmptyBookIsRefusedAndLeftAlone) {
  BookState book = BookWithGroups({"Work"});
  const BookState before = book;
  SortRecords(book);
  const std::pair<MessageKind, QString> refusal{MessageKind::Notice, "There are no records to sort."};
  EXPECT_EQ(Fakes().messages.shown, std::vector{refusal});
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(book.Records, before.Records);
  EXPECT_EQ(book.Keys, before.Keys);
  EXPECT_EQ(Fakes().busy.timesShown, 0);
}

TEST_F(SortTest, SortMarksTheBookChangedEvenWhenNothingMoves) {
  BookState one = BookOfNames({"Only"});
  SortRecords(one);
  EXPECT_TRUE(one.Dirty);
  EXPECT_EQ(Names(one), std::vector<std::string>{"Only"});
  BookState sorted = BookOfNames({"a", "b", "c"});
  SortBy(sorted, Key(kSortName));
  EXPECT_TRUE(sorted.Dirty);
  EXPECT_EQ(Tags(sorted), (std::vector<std::string>{"#0", "#1", "#2"}));
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_EQ(Fakes().busy.timesShown, 2);
  EXPECT_FALSE(Fakes().busy.IsBusy());
}

TEST_F(SortTest, RecordsMoveWhole) {
  BookState book = BookWithGroups({"Work", "Home"});
  AddressRecord& zed = AddRecord(book, "Zed", "Zco");
  zed.Address = "Z street";
  zed.Phones = {"1", "2", "3", "4"};
  zed.PhoneNameIndex = {3, 2, 1, 0};
  zed.WhichPhone = 2;
  zed.PrintAs = kPrintAsBusiness;
  StoreGroupSet(zed, std::string("\1\0", 2));
  AddRecord(book, "Ann", "Aco").Group = 1;
  const AddressRecord zedBefore = book.Records[0];
  const AddressRecord annBefore = book.Records[1];
  SortBy(book, Key(kSortName));
  EXPECT_EQ(book.Records[0], annBefore);
  EXPECT_EQ(book.Records[1], zedBefore);
}

// The sort procedure written out plainly, on whole records and with a
// comparison of its own: Shell sort by gap halving, halves rounded to the
// even neighbour.
int HalfRoundedToEven(int n) {
  const int half = n / 2;
  return n % 2 == 1 && half % 2 == 1 ? half + 1 : half;
}

std::vector<int> Gaps(int count) {
  std::vector<int> gaps;
  for (int gap = HalfRoundedToEven(count); gap > 0; gap = HalfRoundedToEven(gap)) gaps.push_back(gap);
  return gaps;
}

template <class Greater>
std::vector<AddressRecord> ShellSorted(std::vector<AddressRecord> records, Greater greater) {
  const int count = static_cast<int>(records.size());
  for (int gap : Gaps(count))
    for (int i = gap; i < count; ++i)
      for (int j = i - gap; j >= 0 && greater(records[static_cast<size_t>(j)], records[static_cast<size_t>(j + gap)]);
           j -= gap)
        std::swap(records[static_cast<size_t>(j)], records[static_cast<size_t>(j + gap)]);
  return records;
}

TEST(ShellSortReference, GapsOfSmallBooks) {
  EXPECT_EQ(Gaps(1), std::vector<int>{});
  EXPECT_EQ(Gaps(2), std::vector<int>{1});
  EXPECT_EQ(Gaps(5), (std::vector<int>{2, 1}));
  EXPECT_EQ(Gaps(6), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(Gaps(7), (std::vector<int>{4, 2, 1}));
  EXPECT_EQ(Gaps(10), (std::vector<int>{5, 2, 1}));
  EXPECT_EQ(Gaps(13), (std::vector<int>{6, 3, 2, 1}));
  EXPECT_EQ(Gaps(14), (std::vector<int>{7, 4, 2, 1}));
  EXPECT_EQ(Gaps(16), (std::vector<int>{8, 4, 2, 1}));
}

// Books whose records share few keys, so that many records tie.
std::vector<BookState> BooksWithTies(int count) {
  std::vector<BookState> books;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    BookState book = BookWithGroups({});
    for (int i = 0; i < count; ++i) {
      AddressRecord& record = AddRecord(book, std::string(1, static_cast<char>('a' + random() % 3)),
                                        std::string(1, static_cast<char>('x' + random() % 2)));
      record.Notes = "#" + std::to_string(i);
    }
    books.push_back(std::move(book));
  }
  return books;
}

class ShellSortOrder : public testing::TestWithParam<int> {};

TEST_P(ShellSortOrder, EqualKeysEndWhereTheProcedurePutsThem) {
  int unstable = 0;
  for (BookState book : BooksWithTies(GetParam())) {
    const std::vector<AddressRecord> expected = ShellSorted(
        book.Records, [](const AddressRecord& a, const AddressRecord& b) { return a.Name.compare(b.Name) > 0; });
    std::vector<AddressRecord> stable = book.Records;
    std::stable_sort(stable.begin(), stable.end(),
                     [](const AddressRecord& a, const AddressRecord& b) { return a.Name < b.Name; });
    unstable += stable != expected;
    book.Keys = {Key(kSortName, 0, 1), kUnused, kUnused};
    SortRecords(book);
    EXPECT_EQ(Tags(book), Tags(expected));
  }
  EXPECT_GT(unstable, 0) << "the books must tell this procedure from a stable sort";
}

TEST_P(ShellSortOrder, TwoPrioritiesOneDescending) {
  for (BookState book : BooksWithTies(GetParam())) {
    const std::vector<AddressRecord> expected =
        ShellSorted(book.Records, [](const AddressRecord& a, const AddressRecord& b) {
          if (a.Company != b.Company) return a.Company < b.Company;  // descending
          return a.Name > b.Name;
        });
    book.Keys = {Key(kSortCompany, 0, 1, 1), Key(kSortName, 1, 1), kUnused};
    SortRecords(book);
    EXPECT_EQ(Tags(book), Tags(expected));
  }
}

TEST_P(ShellSortOrder, IgnoringCaseTiesAreOrderedAsTheProcedureDoes) {
  unsigned seed = 0;
  for (BookState book : BooksWithTies(GetParam())) {
    std::mt19937 random(++seed);
    for (AddressRecord& record : book.Records)
      if (random() % 2) record.Name[0] = static_cast<char>(record.Name[0] - 'a' + 'A');
    const std::vector<AddressRecord> expected =
        ShellSorted(book.Records, [](const AddressRecord& a, const AddressRecord& b) {
          return (a.Name[0] | 0x20) > (b.Name[0] | 0x20);
        });
    book.Keys = {Key(kSortName), kUnused, kUnused};
    SortRecords(book);
    EXPECT_EQ(Tags(book), Tags(expected));
  }
}

INSTANTIATE_TEST_SUITE_P(Books, ShellSortOrder, testing::Values(7, 16));

class SortDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({});
    book.Keys = {Key(kSortCompany, 1, 1, 1), Key(kSortName, 0, 0, 0), Key(kSortNotes, 1, 0, 1)};
  }
  QPushButton* Button(frmSort& dialog, const char* name) { return dialog.findChild<QPushButton*>(name); }
  // Clicks reach only a dialog that is on the screen.
  void Show(frmSort& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  BookState book;
};

TEST_F(SortDialogTest, ShowsTheBooksKeys) {
  Exchange().DialogOK = 1;
  frmSort dialog(book);
  EXPECT_EQ(Exchange().DialogOK, 0);
  EXPECT_EQ(dialog.windowTitle(), "Sort Records");
  const int fields[3] = {kSortCompany, kSortName, kSortNotes};
  for (size_t p = 0; p < 3; ++p) {
    EXPECT_EQ(dialog.cboSortField[p]->currentIndex(), fields[p]) << p;
    EXPECT_EQ(dialog.chkByLastName[p]->isChecked(), book.Keys[p].ByLastName == 1) << p;
    EXPECT_EQ(dialog.chkCaseSensitive[p]->isChecked(), book.Keys[p].CaseSensitive == 1) << p;
    EXPECT_TRUE(dialog.chkCaseSensitive[p]->isEnabled()) << p;
    EXPECT_EQ(dialog.optSortOrder[2 * p]->isChecked(), book.Keys[p].Descending == 0) << p;
    EXPECT_EQ(dialog.optSortOrder[2 * p + 1]->isChecked(), book.Keys[p].Descending == 1) << p;
  }
  EXPECT_FALSE(dialog.chkByLastName[0]->isEnabled());
  EXPECT_TRUE(dialog.chkByLastName[1]->isEnabled());
  EXPECT_FALSE(dialog.chkByLastName[2]->isEnabled());
}

TEST_F(SortDialogTest, ControlsAndCaptions) {
  frmSort dialog(book);
  QStringList items;
  for (int i = 0; i < dialog.cboSortField[1]->count(); ++i) items << dialog.cboSortField[1]->itemText(i);
  EXPECT_EQ(items, (QStringList{"(None)", "Name", "Company", "Address", "Group", "Notes"}));
  const char* frames[3] = {"First Priority Field", "Second Priority Field", "Third Priority Field"};
  const char* byLastName[3] = {"&By Last Name", "By &Last Name", "By Last &Name"};
  const char* caseSensitive[3] = {"&Case Sensitive", "Case Sensi&tive", "Case Sensiti&ve"};
  const char* order[3] = {"&Sort Order", "Sort &Order", "Sort Orde&r"};
  for (size_t p = 0; p < 3; ++p) {
    auto* frame = qobject_cast<QGroupBox*>(dialog.chkByLastName[p]->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), frames[p]);
    EXPECT_EQ(dialog.chkByLastName[p]->text(), byLastName[p]);
    EXPECT_EQ(dialog.chkCaseSensitive[p]->text(), caseSensitive[p]);
    auto* orderFrame = qobject_cast<QGroupBox*>(dialog.optSortOrder[2 * p]->parentWidget());
    ASSERT_NE(orderFrame, nullptr);
    EXPECT_EQ(orderFrame->title(), order[p]);
    EXPECT_EQ(orderFrame, dialog.optSortOrder[2 * p + 1]->parentWidget());
    EXPECT_EQ(dialog.optSortOrder[2 * p]->text(), "Ascending");
    EXPECT_EQ(dialog.optSortOrder[2 * p + 1]->text(), "Descending");
  }
  QStringList labels;
  for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  labels.sort();
  EXPECT_EQ(labels, (QStringList{"Field &1:", "Field &2:", "Field &3:"}));
  EXPECT_TRUE(Button(dialog, "cmdOK")->isDefault());
  EXPECT_EQ(Button(dialog, "cmdHelp")->text(), "&Help");
}

TEST_F(SortDialogTest, ByLastNameIsEnabledOnlyForNameAndKeepsItsTick) {
  frmSort dialog(book);
  QComboBox* field = dialog.cboSortField[0];
  ASSERT_TRUE(dialog.chkByLastName[0]->isChecked());
  for (int i = 0; i < field->count(); ++i) {
    field->setCurrentIndex(i);
    EXPECT_EQ(dialog.chkByLastName[0]->isEnabled(), i == kSortName) << i;
    EXPECT_TRUE(dialog.chkByLastName[0]->isChecked()) << i;
  }
  QTest::keyClick(dialog.cboSortField[1], Qt::Key_Down);
  EXPECT_EQ(dialog.cboSortField[1]->currentText(), "Company");
  EXPECT_FALSE(dialog.chkByLastName[1]->isEnabled());
}

TEST_F(SortDialogTest, OkStoresWhatTheControlsShow) {
  frmSort dialog(book);
  Show(dialog);
  dialog.cboSortField[0]->setCurrentIndex(kSortGroup);
  QTest::mouseClick(dialog.chkCaseSensitive[0], Qt::LeftButton);
  dialog.cboSortField[1]->setCurrentIndex(kSortNone);
  QTest::mouseClick(dialog.optSortOrder[3], Qt::LeftButton);
  QTest::mouseClick(dialog.chkByLastName[1], Qt::LeftButton);  // disabled once the field is not Name
  dialog.cboSortField[2]->setCurrentIndex(kSortName);
  QTest::mouseClick(dialog.chkByLastName[2], Qt::LeftButton);
  QTest::mouseClick(dialog.optSortOrder[4], Qt::LeftButton);
  QTest::mouseClick(Button(dialog, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(Exchange().DialogOK, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  // The first priority keeps its disabled by-last-name tick.
  EXPECT_EQ(book.Keys[0], Key(kSortGroup, 1, 0, 1));
  EXPECT_EQ(book.Keys[1], Key(kSortNone, 0, 0, 1));
  EXPECT_EQ(book.Keys[2], Key(kSortName, 0, 0, 0));
  EXPECT_FALSE(book.Dirty);
}

TEST_F(SortDialogTest, CancelLeavesTheKeys) {
  const SortKeys before = book.Keys;
  frmSort dialog(book);
  Show(dialog);
  dialog.cboSortField[0]->setCurrentIndex(kSortAddress);
  QTest::mouseClick(dialog.chkCaseSensitive[1], Qt::LeftButton);
  QTest::mouseClick(dialog.optSortOrder[0], Qt::LeftButton);
  QTest::mouseClick(Button(dialog, "cmdCancel"), Qt::LeftButton);
  EXPECT_EQ(Exchange().DialogOK, 0);
  EXPECT_EQ(book.Keys, before);
}

TEST_F(SortDialogTest, FieldOutsideTheListSelectsNothing) {
  book.Keys[2] = Key(9, 1, 0, 0);
  frmSort dialog(book);
  EXPECT_EQ(dialog.cboSortField[2]->currentIndex(), -1);
  EXPECT_FALSE(dialog.chkByLastName[2]->isEnabled());
}

TEST_F(SortDialogTest, HelpButtonAndF1OpenTheSortTopic) {
  frmSort dialog(book);
  Show(dialog);
  QTest::mouseClick(Button(dialog, "cmdHelp"), Qt::LeftButton);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1360});
  QTest::keyClick(dialog.cboSortField[0], Qt::Key_F1);
  EXPECT_EQ(Fakes().help.topics, (std::vector<int>{1360, 1360}));
  EXPECT_TRUE(dialog.isVisible());
}

TEST(SortCommand, ConfirmedDialogSortsAndCancelledDoesNot) {
  BookState book = BookOfNames({"John Smith", "Anne Brown", "Zed"});
  book.Keys = {Key(kSortName, 1), kUnused, kUnused};
  WhenModalShown([](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdCancel")->click(); });
  EXPECT_FALSE(RunSortCommand(book, nullptr));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"John Smith", "Anne Brown", "Zed"}));
  EXPECT_FALSE(book.Dirty);
  WhenModalShown([](QDialog& dialog) {
    auto& sort = dynamic_cast<frmSort&>(dialog);
    sort.cboSortField[0]->setCurrentIndex(kSortName);
    QTest::mouseClick(sort.optSortOrder[1], Qt::LeftButton);
    sort.findChild<QPushButton*>("cmdOK")->click();
  });
  EXPECT_TRUE(RunSortCommand(book, nullptr));
  EXPECT_EQ(Names(book), (std::vector<std::string>{"Zed", "John Smith", "Anne Brown"}));
  EXPECT_EQ(book.Keys[0], Key(kSortName, 1, 0, 1));
  EXPECT_TRUE(book.Dirty);
}

TEST(SortCommand, MainWindowShowsTheFirstRecordAfterSorting) {
  BookState book = BookOfNames({"John Smith", "Anne Brown", "Zed"});
  book.CurrentRecord = 2;
  ProgramSettings settings;
  frmMain window(book, settings);
  window.RefreshView();
  ASSERT_EQ(window.txtName->text(), "Zed");
  WhenModalShown([](QDialog& dialog) { dialog.findChild<QPushButton*>("cmdOK")->click(); });
  window.mnuRecordsSort->trigger();
  EXPECT_EQ(book.CurrentRecord, 0);
  EXPECT_EQ(window.txtName->text(), "Anne Brown");
  EXPECT_EQ(window.PromptText(), "Record 1 of 3");
  EXPECT_TRUE(book.Dirty);
}

}  // namespace
