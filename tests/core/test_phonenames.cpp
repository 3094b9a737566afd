// The phone names dialog: typed descriptions match the list regardless of
// case, a new one is added only when the user agrees.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "core/Document.h"
#include "mainwindow/frmPhoneNames.h"
#include "support/FakePlatform.h"
#include "support/TestBooks.h"

namespace {

using Slots = std::array<int16_t, 4>;

class PhoneNamesTest : public testing::Test {
 protected:
  void SetUp() override {
    AddRecord(book, "Ann").PhoneNameIndex = {0, 1, -1, 3};
    book.Dirty = false;
  }
  void Type(frmPhoneNames& dialog, std::array<const char*, 4> texts) {
    for (int slot = 0; slot < 4; ++slot) dialog.cboPhoneNames[slot]->setEditText(texts[slot]);
  }
  const Slots& Stored() const { return book.Current().PhoneNameIndex; }

  BookState book = BookWithGroups({});
};

TEST_F(PhoneNamesTest, TypedNamesMatchTheListAndANewOneIsAskedForOnce) {
  frmPhoneNames dialog(book);
  EXPECT_EQ(dialog.cboPhoneNames[3]->currentText(), "Car Phone");
  EXPECT_EQ(dialog.cboPhoneNames[2]->currentText(), "<Blank>");
  Type(dialog, {"  fax ", "<bLaNk>", " Pager", "pager"});
  Fakes().messages.answers = {MessageAnswer::Yes};
  dialog.cmdOK_Click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Stored(), (Slots{2, -1, 4, 4}));
  EXPECT_EQ(book.PhoneNames.back(), "Pager");
  EXPECT_TRUE(book.Dirty);
  EXPECT_EQ(Fakes().messages.shown,
            (std::vector{std::pair{MessageKind::Confirmation,
                                   QString("' Pager' is not in the Phone Description list. Do you want to add it?")}}));
}

TEST_F(PhoneNamesTest, DecliningANewNameKeepsTheEarlierSlotsAndTheDialogOpen) {
  frmPhoneNames dialog(book);
  dialog.show();
  Type(dialog, {"Fax", "Home", "Pager", "Work"});
  dialog.cmdOK_Click();  // the question is answered No
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(Stored(), (Slots{2, 0, -1, 3}));
  EXPECT_EQ(book.PhoneNameCount(), 4);
}

TEST_F(PhoneNamesTest, UseAsDefaultGivesNewRecordsTheseNamesAndCancelChangesNothing) {
  frmPhoneNames cancelled(book);
  cancelled.chkUseAsDefault->setChecked(true);
  QTest::mouseClick(cancelled.cmdCancel, Qt::LeftButton);
  EXPECT_EQ(book.DefaultPhoneNames, (Slots{0, 1, 2, 3}));
  EXPECT_FALSE(book.Dirty);
  frmPhoneNames dialog(book);
  dialog.cboPhoneNames[0]->setCurrentIndex(dialog.cboPhoneNames[0]->findText("Work"));
  dialog.chkUseAsDefault->setChecked(true);
  QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
  EXPECT_EQ(AddRecord(book, "Bo").PhoneNameIndex, (Slots{1, 1, -1, 3}));
}

}  // namespace
