#pragma once

#include <QDialog>

#include "core/BookState.h"

class QListWidget;

// Lets the user pick any number of groups. Input and output go through the
// exchange values: DialogOK (in: offer "<Ungrouped>"; out: confirmed) and
// DialogText (in: the current selection; out: the chosen codes in list order).
class frmMultiGroups : public QDialog {
  Q_OBJECT

 public:
  explicit frmMultiGroups(const BookState& book, QWidget* parent = nullptr);

  QListWidget* lstGroups;

 private:
  void cmdOK_Click();
  void SelectAll(bool selected);
};
