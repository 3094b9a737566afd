#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for one name of a list. In: DialogText, the name to start with
// (empty for a new one). Out: DialogOK, and the trimmed name in DialogText.
class frmNewGroup : public QDialog {
  Q_OBJECT

 public:
  frmNewGroup(const QString& caption, const QString& label, QWidget* parent = nullptr);

  QLabel* Label1;
  QLineEdit* txtGroupName;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void txtGroupName_Change();
  void cmdOK_Click();
};
