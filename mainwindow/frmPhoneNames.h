#pragma once

#include <array>

#include <QDialog>

#include "core/BookState.h"

class QCheckBox;
class QComboBox;
class QPushButton;

// Chooses the descriptions of the current record's four phone slots, picked
// from the phone-name list or typed (a new description can be added to the
// list), optionally as the defaults for new records.
class frmPhoneNames : public QDialog {
  Q_OBJECT

 public:
  explicit frmPhoneNames(BookState& book, QWidget* parent = nullptr);

  std::array<QComboBox*, 4> cboPhoneNames;
  QCheckBox* chkUseAsDefault;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdEditList;

  void cmdOK_Click();
  void cmdEditList_Click();

 private:
  void FillBoxes();
  void UpdateOKButton();
  // Stores the description typed or picked for slot; false when the user
  // declined to add a new one.
  bool StoreSlot(int slot);

  BookState& book_;
};
