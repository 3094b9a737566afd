#pragma once

#include <array>

#include <QDialog>

#include "core/BookState.h"

class QListWidget;
class QPushButton;
class QRadioButton;

// Writes the whole book, or the records of chosen groups, to a vCard file
// (3.0 or 4.0) that other address books read.
class frmExportVCard : public QDialog {
  Q_OBJECT

 public:
  explicit frmExportVCard(const BookState& book, QWidget* parent = nullptr);

  QRadioButton* optAllRecords;
  QRadioButton* optChosenGroups;
  QListWidget* lstGroups;
  std::array<QRadioButton*, 2> optVersion{};  // vCard 3.0, vCard 4.0
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

  void cmdOK_Click();

 private:
  std::string GroupSelection() const;
  bool WriteTo(const QString& path, const std::string& selection);

  const BookState& book_;
};
