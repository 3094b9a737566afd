#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/DocumentCodec.h"
#include "core/Document.h"
#include "core/GroupDeletion.h"
#include "core/GroupMembership.h"
#include "core/PhoneNameDeletion.h"
#include "core/frmDelGroup.h"
#include "core/frmGroups.h"
#include "core/frmNewGroup.h"
#include "mainwindow/frmPhoneNames.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"
#include "support/WindowKeys.h"

namespace {

std::string Set(std::initializer_list<int> groups) {
  std::string set;
  for (int g : groups) set += static_cast<char>(g);
  return set;
}

// Adds a record in the groups and returns its index.
size_t AddMember(BookState& book, std::initializer_list<int> groups) {
  StoreGroupSet(AddRecord(book, "member"), Set(groups));
  return book.Records.size() - 1;
}

// Answers the replacement dialog with the entry whose item data is target.
void ChooseTarget(int target) {
  WhenModalShown([target](QDialog& dialog) {
    auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
    replacement.cboItems->setCurrentIndex(replacement.cboItems->findData(target));
    QTest::mouseClick(replacement.cmdOK, Qt::LeftButton);
  });
}

void CancelDialog() {
  WhenModalShown([](QDialog& dialog) { dialog.reject(); });
}

std::vector<std::pair<QString, int>> Entries(const QComboBox& box) {
  std::vector<std::pair<QString, int>> entries;
  for (int i = 0; i < box.count(); ++i) entries.emplace_back(box.itemText(i), box.itemData(i).toInt());
  return entries;
}

class DeleteGroupTest : public testing::Test {
 protected:
  void SetUp() override { book = BookWithGroups({"G0", "G1", "G2", "G3", "G4"}); }
  BookState book;
};

TEST_F(DeleteGroupTest, RecordsOfTheDeletedGroupBecomeUngroupedAndLaterGroupsMoveDown) {
  const size_t several = AddMember(book, {1, 2, 4});
  AddMember(book, {2});
  AddMember(book, {3});
  AddMember(book, {1});
  AddMember(book, {});
  ChooseTarget(-1);
  ASSERT_TRUE(DeleteGroup(book, 2));
  EXPECT_EQ(GroupSetOf(book.Records[several]), Set({1, 3}));
  EXPECT_EQ(book.Records[1].Group, kNoGroup);
  EXPECT_EQ(book.Records[2].Group, 2);
  EXPECT_EQ(book.Records[3].Group, 1);
  EXPECT_EQ(book.Records[4].Group, kNoGroup);
  EXPECT_EQ(book.Groups, (GroupList{"G0", "G1", "G3", "G4"}));
  EXPECT_TRUE(book.Dirty);
  EXPECT_FALSE(Fakes().busy.IsBusy());
}

TEST_F(DeleteGroupTest, TargetBelowIsNotAddedTwiceAndTakesTheDeletedPlace) {
  const size_t alreadyIn = AddMember(book, {0, 2, 4});
  const size_t added = AddMember(book, {1, 2});
  const size_t collapses = AddMember(book, {0, 2});
  ChooseTarget(0);
  ASSERT_TRUE(DeleteGroup(book, 2));
  EXPECT_EQ(GroupSetOf(book.Records[alreadyIn]), Set({0, 3}));
  EXPECT_EQ(book.Records[added].Group, kMultipleGroups);
  EXPECT_EQ(book.Records[added].MultiGroups, Set({1, 0}));
  EXPECT_EQ(book.Records[collapses].Group, 0);
  EXPECT_TRUE(book.Records[collapses].MultiGroups.empty());
}

TEST_F(DeleteGroupTest, TargetAboveIsTestedInTheNewNumbering) {
  const size_t alreadyIn = AddMember(book, {2, 4});
  const size_t sharesOldCode = AddMember(book, {2, 3});
  const size_t single = AddMember(book, {2});
  ChooseTarget(4);
  ASSERT_TRUE(DeleteGroup(book, 2));
  EXPECT_EQ(book.Records[alreadyIn].Group, 3);  // once, not twice
  EXPECT_TRUE(book.Records[alreadyIn].MultiGroups.empty());
  EXPECT_EQ(book.Records[sharesOldCode].MultiGroups, Set({3, 2}));  // moved to G4 and still in G3
  EXPECT_EQ(book.Records[single].Group, 3);
}

TEST_F(DeleteGroupTest, DeletingTheOnlyGroupOffersOnlyUngrouped) {
  BookState one = BookWithGroups({"Only"});
  AddMember(one, {0});
  WhenModalShown([](QDialog& dialog) {
    auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
    EXPECT_EQ(Entries(*replacement.cboItems), (std::vector<std::pair<QString, int>>{{"<Ungrouped>", -1}}));
    QTest::mouseClick(replacement.cmdOK, Qt::LeftButton);
  });
  ASSERT_TRUE(DeleteGroup(one, 0));
  EXPECT_TRUE(one.Groups.empty());
  EXPECT_EQ(one.Records[0].Group, kNoGroup);
}

TEST_F(DeleteGroupTest, ReplacementDialogAsksWithTheCountAndOffersTheOtherGroupsSorted) {
  book.Groups = {"beta", "Alpha", "Gone", "delta"};
  AddMember(book, {2});
  AddMember(book, {0, 2});
  WhenModalShown([](QDialog& dialog) {
    auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
    EXPECT_EQ(replacement.windowTitle(), "Delete Group");
    EXPECT_EQ(replacement.lblMessage->text(),
              "&There are 2 records(s) in the group you're deleting. Which group should these records be moved to:");
    EXPECT_EQ(Entries(*replacement.cboItems), (std::vector<std::pair<QString, int>>{
                                                  {"<Ungrouped>", -1}, {"Alpha", 1}, {"beta", 0}, {"delta", 3}}));
    EXPECT_EQ(replacement.cboItems->currentIndex(), 0);
    QTest::mouseClick(replacement.cmdHelp, Qt::LeftButton);
    QTest::mouseClick(replacement.cmdCancel, Qt::LeftButton);
  });
  const BookState before = book;
  EXPECT_FALSE(DeleteGroup(book, 2));
  EXPECT_EQ(book.Groups, before.Groups);
  EXPECT_EQ(book.Records, before.Records);
  EXPECT_FALSE(book.Dirty);
  EXPECT_EQ(Fakes().help.topics, std::vector<int>{1860});
}

TEST_F(DeleteGroupTest, EmptyGroupIsDeletedOnlyAfterYes) {
  EXPECT_FALSE(DeleteGroup(book, 1));
  EXPECT_EQ(book.GroupCount(), 5);
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(DeleteGroup(book, 1));
  EXPECT_EQ(book.Groups, (GroupList{"G0", "G2", "G3", "G4"}));
  const std::pair<MessageKind, QString> question{MessageKind::DeletionQuestion, "Delete group 'G1'?"};
  EXPECT_EQ(Fakes().messages.shown, (std::vector{question, question}));
}

class DeletePhoneNameTest : public testing::Test {
 protected:
  void SetUp() override {
    NewDocument(book);
    AddRecord(book, "Ann");  // slots 0 to 3 use names 0 to 3
  }
  BookState book;
};

TEST_F(DeletePhoneNameTest, BlankTargetRenumbersRecordsAndDefaults) {
  WhenModalShown([](QDialog& dialog) {
    auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
    EXPECT_EQ(replacement.windowTitle(), "Delete Phone Name");
    EXPECT_EQ(replacement.lblMessage->text(),
              "&This phone name is in use. Change references to this phone name to refer instead to:");
    EXPECT_EQ(Entries(*replacement.cboItems), (std::vector<std::pair<QString, int>>{
                                                  {"<Blank>", -1}, {"Car Phone", 3}, {"Fax", 2}, {"Home", 0}}));
    QTest::mouseClick(replacement.cmdOK, Qt::LeftButton);
  });
  ASSERT_TRUE(DeletePhoneName(book, 1));
  EXPECT_EQ(book.PhoneNames, (PhoneNameList{"Home", "Fax", "Car Phone"}));
  EXPECT_EQ(book.Records[0].PhoneNameIndex, (std::array<int16_t, 4>{0, -1, 1, 2}));
  EXPECT_EQ(book.DefaultPhoneNames, (std::array<int16_t, 4>{0, -1, 1, 2}));
  EXPECT_TRUE(book.Dirty);
}

TEST_F(DeletePhoneNameTest, NameUsedOnlyAsDefaultAsksForAReplacement) {
  book.Records[0].PhoneNameIndex = {0, 0, 0, 0};
  ChooseTarget(1);
  ASSERT_TRUE(DeletePhoneName(book, 3));
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_EQ(book.DefaultPhoneNames, (std::array<int16_t, 4>{0, 1, 2, 1}));
}

TEST_F(DeletePhoneNameTest, TargetAboveIsRenumbered) {
  ChooseTarget(2);
  ASSERT_TRUE(DeletePhoneName(book, 0));
  EXPECT_EQ(book.Records[0].PhoneNameIndex, (std::array<int16_t, 4>{1, 0, 1, 2}));
}

TEST_F(DeletePhoneNameTest, CancelledOrDeclinedLeavesTheBook) {
  CancelDialog();
  EXPECT_FALSE(DeletePhoneName(book, 0));
  book.Records[0].PhoneNameIndex = {0, 0, 0, 0};
  book.DefaultPhoneNames = {0, 0, 0, 0};
  EXPECT_FALSE(DeletePhoneName(book, 2));
  EXPECT_EQ(Fakes().messages.shown.back().second, "Delete phone name 'Fax'?");
  EXPECT_EQ(book.PhoneNameCount(), 4);
  EXPECT_FALSE(book.Dirty);
}

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

// Answers the name dialog with text, after checking its caption and label.
void EnterName(const QString& caption, const QString& label, const QString& text) {
  WhenModalShown([=](QDialog& dialog) {
    auto& input = dynamic_cast<frmNewGroup&>(dialog);
    EXPECT_EQ(input.windowTitle(), caption);
    EXPECT_EQ(input.Label1->text(), label);
    input.txtGroupName->selectAll();
    QTest::keyClicks(input.txtGroupName, text);
    QTest::mouseClick(input.cmdOK, Qt::LeftButton);
  });
}

class GroupsDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    book = BookWithGroups({"Work", "family", "Club"});
    Exchange().ListMode = kListModeGroups;
  }
  BookState book;
};

TEST_F(GroupsDialogTest, ListsTheNamesSortedWithTheFirstSelected) {
  frmGroups dialog(book);
  EXPECT_EQ(dialog.windowTitle(), "Edit Groups");
  EXPECT_EQ(dialog.lblListName->text(), "&Groups:");
  EXPECT_EQ(Texts(*dialog.lstItems), (QStringList{"Club", "family", "Work"}));
  EXPECT_EQ(dialog.lstItems->item(1)->data(Qt::UserRole).toInt(), 1);
  EXPECT_TRUE(dialog.lstItems->item(0)->isSelected());

  Exchange().ListMode = kListModePhoneNames;
  frmGroups phoneNames(book);
  EXPECT_EQ(phoneNames.windowTitle(), "Edit Phone Names");
  EXPECT_EQ(phoneNames.lblListName->text(), "&Phone Names:");
  EXPECT_EQ(Texts(*phoneNames.lstItems), (QStringList{"Car Phone", "Fax", "Home", "Work"}));
}

TEST_F(GroupsDialogTest, AddAppendsTheTrimmedNameAndSelectsIt) {
  frmGroups dialog(book);
  EnterName("Add Group", "&Group Name:", "  Bowling  ");
  dialog.cmdAdd_Click();
  EXPECT_EQ(book.Groups.back(), "Bowling");
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(dialog.lstItems->currentItem()->text(), "Bowling");
  EXPECT_EQ(dialog.lstItems->currentItem()->data(Qt::UserRole).toInt(), 3);
}

TEST_F(GroupsDialogTest, The251stGroupIsRefused) {
  while (book.GroupCount() < 249) AddGroup(book, "g");
  frmGroups dialog(book);
  EnterName("Add Group", "&Group Name:", "Last");
  dialog.cmdAdd_Click();
  ASSERT_EQ(book.GroupCount(), 250);
  dialog.cmdAdd_Click();
  EXPECT_EQ(book.GroupCount(), 250);
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0],
            std::make_pair(MessageKind::Notice,
                           QString("There are already 250 groups. This is the maximum number of groups you can "
                                   "define. You must delete one or more existing groups before you can add any more.")));
}

TEST_F(GroupsDialogTest, NoPhoneNameBeyondWhatADataFileCanHold) {
  book.PhoneNames.resize(kMaxPhoneNames, "n");
  const std::pair<MessageKind, QString> refusal{
      MessageKind::Notice, "The phone name list is full: it can hold at most 32,767 phone names."};
  Exchange().ListMode = kListModePhoneNames;
  frmGroups list(book);
  CancelDialog();  // would answer the name dialog, which must not open
  list.cmdAdd_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0], refusal);

  AddRecord(book, "Ann");
  frmPhoneNames names(book);
  names.show();
  names.cboPhoneNames[0]->setEditText("Pager");
  names.cmdOK_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 2u);
  EXPECT_EQ(Fakes().messages.shown[1], refusal);
  EXPECT_TRUE(names.isVisible());
  EXPECT_EQ(book.PhoneNameCount(), kMaxPhoneNames);

  book.PhoneNames.push_back("one too many");
  PlatformError error;
  EXPECT_FALSE(EncodeDocument(book, error).has_value());
}

TEST_F(GroupsDialogTest, RenameStartsWithTheNameSelectedAndChangesTheEntry) {
  frmGroups dialog(book);
  dialog.lstItems->setCurrentRow(1);  // "family", index 1
  WhenModalShown([](QDialog& dialog) {
    auto& input = dynamic_cast<frmNewGroup&>(dialog);
    EXPECT_EQ(input.windowTitle(), "Rename Group");
    EXPECT_EQ(input.txtGroupName->selectedText(), "family");
    EXPECT_TRUE(input.cmdOK->isEnabled());
    QTest::keyClicks(input.txtGroupName, "Family");
    QTest::mouseClick(input.cmdOK, Qt::LeftButton);
  });
  dialog.cmdRename_Click();
  EXPECT_EQ(book.Groups, (GroupList{"Work", "Family", "Club"}));
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(dialog.lstItems->currentItem()->text(), "Family");
}

TEST_F(GroupsDialogTest, NothingSelectedIsReported) {
  frmGroups dialog(book);
  dialog.lstItems->clearSelection();
  dialog.cmdRename_Click();
  dialog.cmdDelete_Click();
  const auto& shown = Fakes().messages.shown;
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].second, "Nothing is selected for renaming.");
  EXPECT_EQ(shown[1].second, "Nothing is selected for deleting.");
}

TEST_F(GroupsDialogTest, DeleteRemovesTheSelectedEntryAndSelectsTheFirst) {
  frmGroups dialog(book);
  dialog.lstItems->setCurrentRow(2);  // "Work", index 0
  Fakes().messages.answers = {MessageAnswer::Yes};
  dialog.cmdDelete_Click();
  EXPECT_EQ(book.Groups, (GroupList{"family", "Club"}));
  EXPECT_EQ(Texts(*dialog.lstItems), (QStringList{"Club", "family"}));
  EXPECT_TRUE(dialog.lstItems->item(0)->isSelected());
}

TEST_F(GroupsDialogTest, TheLastPhoneNameCannotBeDeleted) {
  book.PhoneNames = {"Home"};
  Exchange().ListMode = kListModePhoneNames;
  frmGroups dialog(book);
  dialog.cmdDelete_Click();
  EXPECT_EQ(book.PhoneNames, PhoneNameList{"Home"});
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0].second, "You cannot delete the last phone name.");
}

TEST_F(GroupsDialogTest, F1InTheNameDialogOpensTheListTopic) {
  struct Case { int listMode; void (frmGroups::*command)(); int topic; };
  for (const Case& c : {Case{kListModeGroups, &frmGroups::cmdAdd_Click, 1250},
                        Case{kListModePhoneNames, &frmGroups::cmdRename_Click, 1850}}) {
    Fakes().help.topics.clear();
    Exchange().ListMode = c.listMode;
    frmGroups dialog(book);
    WhenModalShown([](QDialog& name) {
      PressInActiveWindow(name, Qt::Key_F1);
      name.reject();
    });
    (dialog.*c.command)();
    EXPECT_EQ(Fakes().help.topics, std::vector<int>{c.topic}) << c.listMode;
  }
}

TEST(NameDialog, OkOnlyForANameThatIsNotBlank) {
  Exchange().DialogText.clear();
  Exchange().DialogOK = 1;
  frmNewGroup dialog("Add Phone Name", "&Phone Name:");
  EXPECT_FALSE(Exchange().DialogOK);
  EXPECT_FALSE(dialog.cmdOK->isEnabled());
  QTest::keyClicks(dialog.txtGroupName, "   ");
  EXPECT_FALSE(dialog.cmdOK->isEnabled());
  QTest::keyClicks(dialog.txtGroupName, "x");
  EXPECT_TRUE(dialog.cmdOK->isEnabled());
  QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
  EXPECT_FALSE(Exchange().DialogOK);
}

TEST(NameDialog, OnlyCharactersTheBookCanStoreAreTyped) {
  Exchange().DialogText.clear();
  frmNewGroup dialog("Add Group", "&Group Name:");
  for (QChar typed : QString::fromUtf8("Caf\u00e9 \u4e2d"))
    QTest::sendKeyEvent(QTest::Click, dialog.txtGroupName, Qt::Key_unknown, QString(typed), Qt::NoModifier);
  EXPECT_EQ(dialog.txtGroupName->text(), QString::fromUtf8("Caf\u00e9 "));
  dialog.cmdOK_Click();
  EXPECT_EQ(Exchange().DialogText, "Caf\xe9");
}

}  // namespace
