#pragma once

#include <array>

#include <QDialog>

#include "core/ProgramSettings.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The search dialog. Find First and Find Next store the criteria in the
// search settings and set DialogOK; FromNextRecord tells them apart.
class frmSearch : public QDialog {
  Q_OBJECT

 public:
  explicit frmSearch(ProgramSettings::SearchSection& search, QWidget* parent = nullptr);

  bool FromNextRecord = false;
  bool Expanded() const { return expanded_; }

  QLineEdit* txtSearchFor;
  QPushButton* cmdFindFirst;
  QPushButton* cmdFindNext;
  QCheckBox* chkMatchCase;
  std::array<QRadioButton*, 2> optSelectedFields{};
  QGroupBox* fraWhichFields;
  std::array<QCheckBox*, 6> chkWhichFields{};

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void optSelectedFields_Click(int i);
  void txtSearchFor_Change();
  void cmdFindFirst_Click();
  void SetOuterHeight(int twips);

  ProgramSettings::SearchSection& search_;
  bool expanded_ = false;
};
