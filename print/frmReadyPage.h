#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// "Prepare Printer": shown before a side B sheet. The sheet's text comes in
// through DialogText; DialogOK comes back false only after Abort Printing.
class frmReadyPage : public QDialog {
  Q_OBJECT

 public:
  explicit frmReadyPage(bool& promptEachPage, QWidget* parent = nullptr);

  QLabel* lblPrompt;
  QCheckBox* chkEachPage;
  QPushButton* cmdOK;
  QPushButton* cmdAbort;
  QPushButton* cmdHelp;

  void cmdOK_Click();
  void cmdAbort_Click();

 private:
  bool& promptEachPage_;
};
