#pragma once

#include <array>

#include <QDialog>

#include "core/BookState.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

// The sort dialog: up to three priority fields, each with its options.
// OK stores them in the book's sort keys and sets DialogOK.
class frmSort : public QDialog {
  Q_OBJECT

 public:
  explicit frmSort(BookState& book, QWidget* parent = nullptr);

  std::array<QComboBox*, 3> cboSortField{};
  std::array<QCheckBox*, 3> chkByLastName{};
  std::array<QCheckBox*, 3> chkCaseSensitive{};
  std::array<QRadioButton*, 6> optSortOrder{};

 private:
  QWidget* PriorityFrame(int p);
  void cboSortField_Click(int p);
  void cmdOK_Click();

  BookState& book_;
};

// The Sort command: shows the dialog and sorts when it is confirmed.
// Returns true when the records were sorted (the caller shows the first one).
bool RunSortCommand(BookState& book, QWidget* parent);
