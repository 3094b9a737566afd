#pragma once

#include <QDialog>

#include "core/BookState.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Adds, renames and deletes the entries of the group list or, when ListMode
// is 1, of the phone-name list. Every change goes straight into the book;
// the window that opened the dialog refreshes its display afterwards.
class frmGroups : public QDialog {
  Q_OBJECT

 public:
  explicit frmGroups(BookState& book, QWidget* parent = nullptr);

  QLabel* lblListName;
  QListWidget* lstItems;
  QPushButton* cmdAdd;
  QPushButton* cmdRename;
  QPushButton* cmdDelete;
  QPushButton* cmdClose;

  void cmdAdd_Click();
  void cmdRename_Click();
  void cmdDelete_Click();

 private:
  bool EditingGroups() const;
  std::vector<std::string>& Names() const;
  void FillItems(int wanted);
  QListWidgetItem* SelectedItem() const;
  // Asks for a name with the input dialog; true when one was given (in DialogText).
  bool AskName(const char* groupCaption, const char* phoneNameCaption);

  BookState& book_;
  int listMode_;
};
