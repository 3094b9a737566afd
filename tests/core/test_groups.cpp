// Deleting groups and phone names renumbers every reference; the list
// dialogs add, rename and delete entries within the lists' limits; typed
// phone names match the list regardless of case.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/DocumentCodec.h"
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

namespace {

using namespace std::string_literals;
using Slots = std::array<int16_t, 4>;
using Entries = std::vector<std::pair<QString, int>>;

// Answers the replacement dialog with the entry whose item data is target.
void ChooseTarget(int target) {
  WhenModalShown([target](QDialog& dialog) {
    auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
    replacement.cboItems->setCurrentIndex(replacement.cboItems->findData(target));
    QTest::mouseClick(replacement.cmdOK, Qt::LeftButton);
  });
}

Entries EntriesOf(const QComboBox& box) {
  Entries entries;
  for (int i = 0; i < box.count(); ++i) entries.emplace_back(box.itemText(i), box.itemData(i).toInt());
  return entries;
}

TEST(DeleteGroup, RecordsMoveToTheTargetOnceAndLaterGroupsMoveDown) {
  struct Case { std::string before; int target; int16_t group; std::string multiGroups; };
  // Group 2 of G0 to G4 is deleted; the target and the results are in the new numbering.
  const Case cases[] = {
      {"\1\2\4", -1, -2, "\1\3"}, {"\2", -1, -1, ""}, {"\3", -1, 2, ""}, {"\1", -1, 1, ""}, {"", -1, -1, ""},
      {"\0\2\4"s, 0, -2, "\0\3"s}, {"\1\2", 0, -2, "\1\0"s}, {"\0\2"s, 0, 0, ""},
      {"\2\4", 3, 3, ""}, {"\2\3", 3, -2, "\3\2"}, {"\2", 3, 3, ""},
  };
  for (const int target : {-1, 0, 3}) {
    BookState book = BookWithGroups({"G0", "G1", "G2", "G3", "G4"});
    std::vector<const Case*> chosen;
    for (const Case& c : cases) {
      if (c.target != target) continue;
      StoreGroupSet(AddRecord(book, "member"), c.before);
      chosen.push_back(&c);
    }
    ChooseTarget(target < 2 ? target : target + 1);
    ASSERT_TRUE(DeleteGroup(book, 2));
    EXPECT_EQ(book.Groups, (GroupList{"G0", "G1", "G3", "G4"}));
    EXPECT_TRUE(book.Dirty);
    for (size_t i = 0; i < chosen.size(); ++i)
      EXPECT_EQ(std::pair(book.Records[i].Group, book.Records[i].MultiGroups),
                std::pair(chosen[i]->group, chosen[i]->multiGroups)) << "target " << target << ", record " << i;
  }
}

TEST(DeletePhoneName, ReferencesAndDefaultsMoveToTheTargetAndLaterNamesMoveDown) {
  struct Case { Slots before; int deleted; int target; Slots after; Slots defaultsAfter; };
  const Case cases[] = {
      {{0, 1, 2, 3}, 1, -1, {0, -1, 1, 2}, {0, -1, 1, 2}},
      {{0, 1, 2, 3}, 0, 2, {1, 0, 1, 2}, {1, 0, 1, 2}},
      {{0, 0, 0, 0}, 3, 1, {0, 0, 0, 0}, {0, 1, 2, 1}},  // in use only as a default for new records
  };
  for (const Case& c : cases) {
    BookState book = BookWithGroups({});
    AddRecord(book, "Ann").PhoneNameIndex = c.before;
    ChooseTarget(c.target);
    ASSERT_TRUE(DeletePhoneName(book, c.deleted));
    EXPECT_EQ(std::tuple(book.PhoneNameCount(), book.Records[0].PhoneNameIndex, book.DefaultPhoneNames, book.Dirty),
              std::tuple(3, c.after, c.defaultsAfter, true)) << c.deleted;
  }
}

TEST(DeletionDialogs, AskWithTheirTextOfferTheOtherEntriesSortedAndCancelChangesNothing) {
  BookState book = BookWithGroups({"beta", "Alpha", "Gone", "delta"});
  AddRecord(book, "a").Group = 2;
  StoreGroupSet(AddRecord(book, "b"), "\0\2"s);
  struct Case { bool (*deletion)(BookState&, int, QWidget*); int deleted; QString title, message; Entries entries; int help; };
  const Case cases[] = {
      {DeleteGroup, 2, "Delete Group",
       "&There are 2 records(s) in the group you're deleting. Which group should these records be moved to:",
       {{"<Ungrouped>", -1}, {"Alpha", 1}, {"beta", 0}, {"delta", 3}}, 1860},
      {DeletePhoneName, 1, "Delete Phone Name",
       "&This phone name is in use. Change references to this phone name to refer instead to:",
       {{"<Blank>", -1}, {"Car Phone", 3}, {"Fax", 2}, {"Home", 0}}, 1870},
  };
  for (const Case& c : cases) {
    Fakes().help.topics.clear();
    WhenModalShown([&c](QDialog& dialog) {
      auto& replacement = dynamic_cast<frmDelGroup&>(dialog);
      EXPECT_EQ(std::tuple(replacement.windowTitle(), replacement.lblMessage->text(), EntriesOf(*replacement.cboItems)),
                std::tuple(c.title, c.message, c.entries));
      EXPECT_EQ(replacement.cboItems->currentIndex(), 0);
      QTest::mouseClick(replacement.cmdHelp, Qt::LeftButton);
      QTest::mouseClick(replacement.cmdCancel, Qt::LeftButton);
    });
    const BookState before = book;
    EXPECT_FALSE(c.deletion(book, c.deleted, nullptr));
    EXPECT_EQ(std::tie(book.Records, book.Groups, book.PhoneNames, book.Dirty),
              std::tie(before.Records, before.Groups, before.PhoneNames, before.Dirty));
    EXPECT_EQ(Fakes().help.topics, std::vector<int>{c.help});
  }
  EXPECT_FALSE(DeleteGroup(book, 3));  // in no record: deleted only after Yes
  Fakes().messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(DeleteGroup(book, 3));
  EXPECT_EQ(book.Groups, (GroupList{"beta", "Alpha", "Gone"}));
  EXPECT_EQ(Fakes().messages.shown, (std::vector(2, std::pair{MessageKind::DeletionQuestion, QString("Delete group 'delta'?")})));
}

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
  return texts;
}

class ListDialogTest : public testing::Test {
 protected:
  void SetUp() override { Exchange().ListMode = kListModeGroups; }
  BookState book = BookWithGroups({"Work", "family", "Club"});
};

TEST_F(ListDialogTest, ListsTheNamesSortedAndRenamesAndDeletesOnlyTheSelectedOne) {
  frmGroups dialog(book);
  EXPECT_EQ(std::pair(dialog.windowTitle(), dialog.lblListName->text()),
            std::pair(QString("Edit Groups"), QString("&Groups:")));
  EXPECT_EQ(Texts(*dialog.lstItems), (QStringList{"Club", "family", "Work"}));
  EXPECT_TRUE(dialog.lstItems->item(0)->isSelected());
  dialog.lstItems->setCurrentRow(1);  // "family", index 1
  WhenModalShown([](QDialog& dialog) {
    auto& input = dynamic_cast<frmNewGroup&>(dialog);
    EXPECT_EQ(std::pair(input.windowTitle(), input.txtGroupName->selectedText()),
              std::pair(QString("Rename Group"), QString("family")));
    QTest::keyClicks(input.txtGroupName, "Family");
    QTest::mouseClick(input.cmdOK, Qt::LeftButton);
  });
  dialog.cmdRename_Click();
  EXPECT_EQ(book.Groups, (GroupList{"Work", "Family", "Club"}));
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(dialog.lstItems->currentItem()->text(), "Family");
  dialog.lstItems->setCurrentRow(2);  // "Work", index 0
  Fakes().messages.answers = {MessageAnswer::Yes};
  dialog.cmdDelete_Click();
  EXPECT_EQ(book.Groups, (GroupList{"Family", "Club"}));
  EXPECT_EQ(Texts(*dialog.lstItems), (QStringList{"Club", "Family"}));
  EXPECT_TRUE(dialog.lstItems->item(0)->isSelected());
  dialog.lstItems->clearSelection();
  dialog.cmdRename_Click();
  dialog.cmdDelete_Click();
  book.PhoneNames.resize(1);
  Exchange().ListMode = kListModePhoneNames;
  frmGroups phoneNames(book);
  phoneNames.cmdDelete_Click();
  EXPECT_EQ(std::pair(book.Groups.size(), book.PhoneNames), std::pair(size_t{2}, PhoneNameList{"Home"}));
  const auto notice = [](const char* text) { return std::pair{MessageKind::Notice, QString(text)}; };
  EXPECT_EQ(Fakes().messages.shown, (std::vector{std::pair{MessageKind::DeletionQuestion, QString("Delete group 'Work'?")},
                                                 notice("Nothing is selected for renaming."),
                                                 notice("Nothing is selected for deleting."),
                                                 notice("You cannot delete the last phone name.")}));
}

// The name dialog takes only a name that is not blank, and only characters the book can store.
TEST_F(ListDialogTest, AddAppendsTheTrimmedNameUpToThe250thGroup) {
  while (book.GroupCount() < 249) AddGroup(book, "g");
  book.Dirty = false;
  frmGroups dialog(book);
  WhenModalShown([](QDialog& dialog) {
    auto& input = dynamic_cast<frmNewGroup&>(dialog);
    EXPECT_EQ(input.windowTitle(), "Add Group");
    QTest::keyClicks(input.txtGroupName, "   ");
    EXPECT_FALSE(input.cmdOK->isEnabled());
    for (QChar typed : QString::fromUtf8("Caf\u00e9 \u4e2d "))
      QTest::sendKeyEvent(QTest::Click, input.txtGroupName, Qt::Key_unknown, QString(typed), Qt::NoModifier);
    QTest::mouseClick(input.cmdOK, Qt::LeftButton);
  });
  dialog.cmdAdd_Click();
  EXPECT_EQ(std::tuple(book.GroupCount(), book.Groups.back(), book.Dirty), std::tuple(250, std::string("Café"), true));
  EXPECT_EQ(dialog.lstItems->currentItem()->data(Qt::UserRole).toInt(), 249);
  dialog.cmdAdd_Click();
  EXPECT_EQ(book.GroupCount(), 250);
  EXPECT_EQ(Fakes().messages.shown,
            (std::vector{std::pair{MessageKind::Notice,
                                   QString("There are already 250 groups. This is the maximum number of groups you can "
                                           "define. You must delete one or more existing groups before you can add any more.")}}));
}

TEST_F(ListDialogTest, NoPhoneNameBeyondWhatADataFileCanHold) {
  book.PhoneNames.resize(kMaxPhoneNames, "n");
  AddRecord(book, "Ann");
  const std::pair refusal{MessageKind::Notice, QString("The phone name list is full: it can hold at most 32,767 phone names.")};
  Exchange().ListMode = kListModePhoneNames;
  frmGroups list(book);
  EXPECT_EQ(std::pair(list.windowTitle(), list.lblListName->text()),
            std::pair(QString("Edit Phone Names"), QString("&Phone Names:")));
  WhenModalShown([](QDialog& nameDialog) { nameDialog.reject(); });  // it must not be shown
  list.cmdAdd_Click();
  frmPhoneNames names(book);
  names.show();
  names.cboPhoneNames[0]->setEditText("Pager");
  names.cmdOK_Click();
  EXPECT_EQ(Fakes().messages.shown, (std::vector{refusal, refusal}));
  EXPECT_TRUE(names.isVisible());
  EXPECT_EQ(book.PhoneNameCount(), kMaxPhoneNames);
  book.PhoneNames.push_back("one too many");
  PlatformError error;
  EXPECT_FALSE(EncodeDocument(book, error).has_value());
}

TEST(PhoneNamesDialog, TypedNamesMatchTheListANewOneIsAddedOnlyWhenAgreedAndDefaultsReachNewRecords) {
  BookState book = BookWithGroups({});
  const Slots& stored = (AddRecord(book, "Ann").PhoneNameIndex = {0, 1, -1, 3});
  book.Dirty = false;
  frmPhoneNames dialog(book);
  dialog.show();
  EXPECT_EQ(std::pair(dialog.cboPhoneNames[2]->currentText(), dialog.cboPhoneNames[3]->currentText()),
            std::pair(QString("<Blank>"), QString("Car Phone")));
  const auto typeAndConfirm = [&dialog] {
    const char* typed[] = {"  fax ", "<bLaNk>", " Pager", "pager"};
    for (int slot = 0; slot < 4; ++slot) dialog.cboPhoneNames[slot]->setEditText(typed[slot]);
    dialog.cmdOK_Click();
  };
  typeAndConfirm();  // answered No: the slots before the new name are stored, the dialog stays open
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(std::pair(stored, book.PhoneNameCount()), std::pair(Slots{2, -1, -1, 3}, 4));
  Fakes().messages.answers = {MessageAnswer::Yes};
  typeAndConfirm();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(std::tuple(stored, book.PhoneNames.back(), book.Dirty),
            std::tuple(Slots{2, -1, 4, 4}, std::string("Pager"), true));
  const std::pair question{MessageKind::Confirmation,
                           QString("' Pager' is not in the Phone Description list. Do you want to add it?")};
  EXPECT_EQ(Fakes().messages.shown, (std::vector{question, question}));
  frmPhoneNames defaults(book);
  defaults.chkUseAsDefault->setChecked(true);
  QTest::mouseClick(defaults.cmdOK, Qt::LeftButton);
  EXPECT_EQ(AddRecord(book, "Bo").PhoneNameIndex, (Slots{2, -1, 4, 4}));
}

}  // namespace
