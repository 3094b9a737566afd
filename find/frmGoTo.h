#pragma once

#include <QDialog>

#include "core/BookState.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordFilterModel;
class RecordListModel;

// The Go To list: every record of the book, narrowed as the user types, from
// which one is chosen to be shown in the main window. The book does not
// change while the dialog is open.
class frmGoTo : public QDialog {
  Q_OBJECT

 public:
  explicit frmGoTo(const BookState& book, QWidget* parent = nullptr);

  // The record chosen with OK, Enter or a double-click; -1 until then.
  int ChosenRecord() const { return chosen_; }
  // The number of records the list shows.
  int ShownCount() const;

  QLineEdit* txtLookFor;
  QTableView* lstRecords;
  QLabel* lblCount;
  QPushButton* cmdOK;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildList();
  void txtLookFor_Change();
  void cmdOK_Click();
  void SelectRow(int row);
  void ShowCount();

  const BookState& book_;
  RecordListModel* records_;
  RecordFilterModel* filter_;
  int chosen_ = -1;
};
