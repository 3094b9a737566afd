#pragma once

#include <QDialog>

#include "core/BookState.h"

class QComboBox;
class QLabel;
class QPushButton;

// Asks where the references to a list entry being deleted should go. In:
// ListMode (which list) and DialogOK (the entry being deleted, left out of
// the choice); the caller sets lblMessage. Out: DialogOK, and the chosen
// entry's index in ReassignTarget (-1 for none).
class frmDelGroup : public QDialog {
  Q_OBJECT

 public:
  explicit frmDelGroup(const BookState& book, QWidget* parent = nullptr);

  QLabel* lblMessage;
  QComboBox* cboItems;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

  void cmdOK_Click();

 private:
  int helpContext_;
};

// Shows frmDelGroup for entry deleted of the list listMode with message.
// True when the user confirmed; ReassignTarget then holds the chosen entry
// already numbered as after the deletion.
bool ChooseReassignTarget(const BookState& book, int listMode, int deleted, const QString& message,
                          QWidget* parent);
