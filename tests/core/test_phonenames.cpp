#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/frmGroups.h"
#include "core/frmNewGroup.h"
#include "mainwindow/frmPhoneNames.h"
#include "support/FakePlatform.h"
#include "support/ModalDialogs.h"
#include "support/TestBooks.h"

namespace {

using Slots = std::array<int16_t, 4>;

QStringList Items(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

class PhoneNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    NewDocument(book);
    AddRecord(book, "Ann").PhoneNameIndex = {0, 1, -1, 3};
    book.Dirty = false;
  }

  const Slots& Stored() const { return book.Current().PhoneNameIndex; }

  BookState book;
};

TEST_F(PhoneNamesTest, BoxesListBlankAndTheSortedNamesAndShowTheRecordsChoices) {
  frmPhoneNames dialog(book);
  EXPECT_EQ(dialog.windowTitle(), "Phone Names");
  EXPECT_EQ(Items(*dialog.cboPhoneNames[0]), (QStringList{"<Blank>", "Car Phone", "Fax", "Home", "Work"}));
  EXPECT_EQ(dialog.cboPhoneNames[0]->currentText(), "Home");
  EXPECT_EQ(dialog.cboPhoneNames[1]->currentText(), "Work");
  EXPECT_EQ(dialog.cboPhoneNames[2]->currentText(), "<Blank>");
  EXPECT_EQ(dialog.cboPhoneNames[3]->currentText(), "Car Phone");
  EXPECT_TRUE(dialog.cboPhoneNames[0]->isEditable());
  EXPECT_FALSE(dialog.chkUseAsDefault->isChecked());
  EXPECT_TRUE(dialog.cmdOK->isEnabled());
  EXPECT_TRUE(dialog.cmdOK->isDefault());
}

TEST_F(PhoneNamesTest, TypedNamesMatchTheListWithoutRegardToCase) {
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[0]->setEditText("  fax ");
  dialog.cboPhoneNames[1]->setEditText("<bLaNk>");
  dialog.cboPhoneNames[2]->setEditText("home");
  dialog.cmdOK_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored(), (Slots{2, -1, 0, 3}));
  EXPECT_TRUE(Fakes().messages.shown.empty());
  EXPECT_EQ(book.PhoneNameCount(), 4);
  EXPECT_TRUE(book.Dirty);
}

TEST_F(PhoneNamesTest, ANewNameTypedInTwoBoxesIsAskedForOnce) {
  Fakes().messages.answers = {MessageAnswer::Yes};
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[1]->setEditText(" Pager");
  dialog.cboPhoneNames[2]->setEditText("pager");
  dialog.cmdOK_Click();
  ASSERT_EQ(Fakes().messages.shown.size(), 1u);
  EXPECT_EQ(Fakes().messages.shown[0],
            std::make_pair(MessageKind::Confirmation,
                           QString("' Pager' is not in the Phone Description list. Do you want to add it?")));
  EXPECT_EQ(book.PhoneNames.back(), "Pager");
  EXPECT_EQ(Stored(), (Slots{0, 4, 4, 3}));
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PhoneNamesTest, DecliningANewNameKeepsTheEarlierSlotsAndTheDialogOpen) {
  frmPhoneNames dialog(book);
  dialog.show();
  dialog.cboPhoneNames[0]->setEditText("Fax");
  dialog.cboPhoneNames[1]->setEditText("Home");
  dialog.cboPhoneNames[2]->setEditText("Pager");
  dialog.cboPhoneNames[3]->setEditText("Work");
  dialog.cmdOK_Click();  // the question is answered No
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Stored(), (Slots{2, 0, -1, 3}));
  EXPECT_EQ(book.PhoneNameCount(), 4);
  EXPECT_EQ(dialog.cboPhoneNames[0]->currentText(), "Fax");
  EXPECT_EQ(dialog.cboPhoneNames[2]->currentText(), "<Blank>");
  EXPECT_EQ(dialog.cboPhoneNames[3]->currentText(), "Car Phone");
}

TEST_F(PhoneNamesTest, UseAsDefaultGivesNewRecordsTheseNames) {
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[0]->setCurrentIndex(dialog.cboPhoneNames[0]->findText("Work"));
  dialog.chkUseAsDefault->setChecked(true);
  QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
  EXPECT_EQ(book.DefaultPhoneNames, (Slots{1, 1, -1, 3}));
  EXPECT_EQ(AddRecord(book, "Bo").PhoneNameIndex, (Slots{1, 1, -1, 3}));
}

TEST_F(PhoneNamesTest, OkWithoutChangesStillMarksTheBookChanged) {
  frmPhoneNames dialog(book);
  dialog.cmdOK_Click();
  EXPECT_EQ(Stored(), (Slots{0, 1, -1, 3}));
  EXPECT_EQ(book.DefaultPhoneNames, (Slots{0, 1, 2, 3}));
  EXPECT_TRUE(book.Dirty);
}

TEST_F(PhoneNamesTest, ABlankBoxDisablesOkUntilTextIsTyped) {
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[3]->lineEdit()->clear();
  EXPECT_FALSE(dialog.cmdOK->isEnabled());
  QTest::keyClicks(dialog.cboPhoneNames[3]->lineEdit(), "  ");
  EXPECT_FALSE(dialog.cmdOK->isEnabled());
  QTest::keyClicks(dialog.cboPhoneNames[3]->lineEdit(), "Cell");
  EXPECT_TRUE(dialog.cmdOK->isEnabled());
}

TEST_F(PhoneNamesTest, EnterInABoxPressesOk) {
  frmPhoneNames dialog(book);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.cboPhoneNames[0]->setFocus();
  QTest::keyClicks(dialog.cboPhoneNames[0]->lineEdit(), "x");  // "Homex"
  Fakes().messages.answers = {MessageAnswer::Yes};
  QTest::keyClick(dialog.cboPhoneNames[0]->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(book.PhoneNames.back(), "Homex");
  EXPECT_EQ(dialog.cboPhoneNames[0]->count(), 5);  // the typed text was not added to the box
}

TEST_F(PhoneNamesTest, CancelChangesNothing) {
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[0]->setEditText("Fax");
  dialog.chkUseAsDefault->setChecked(true);
  QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
  EXPECT_EQ(Stored(), (Slots{0, 1, -1, 3}));
  EXPECT_EQ(book.DefaultPhoneNames, (Slots{0, 1, 2, 3}));
  EXPECT_FALSE(book.Dirty);
}

TEST_F(PhoneNamesTest, EditListEditsPhoneNamesAndRefillsTheBoxes) {
  Exchange().ListMode = kListModeGroups;
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[1]->setEditText("typed before");
  WhenModalShown([](QDialog& shown) {
    auto& list = dynamic_cast<frmGroups&>(shown);
    EXPECT_EQ(list.windowTitle(), "Edit Phone Names");
    WhenModalShown([](QDialog& input) {
      auto& name = dynamic_cast<frmNewGroup&>(input);
      EXPECT_EQ(name.windowTitle(), "Add Phone Name");
      QTest::keyClicks(name.txtGroupName, "Mobile");
      QTest::mouseClick(name.cmdOK, Qt::LeftButton);
    });
    QTest::mouseClick(list.cmdAdd, Qt::LeftButton);
    QTest::mouseClick(list.cmdClose, Qt::LeftButton);
  });
  QTest::mouseClick(dialog.cmdEditList, Qt::LeftButton);
  EXPECT_EQ(Exchange().ListMode, kListModePhoneNames);
  EXPECT_EQ(book.PhoneNames.back(), "Mobile");
  EXPECT_EQ(Items(*dialog.cboPhoneNames[1]),
            (QStringList{"<Blank>", "Car Phone", "Fax", "Home", "Mobile", "Work"}));
  EXPECT_EQ(dialog.cboPhoneNames[1]->currentText(), "Work");
}

}  // namespace
