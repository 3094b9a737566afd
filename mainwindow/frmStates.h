#pragma once

#include <array>
#include <cstdint>

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;
class QRadioButton;

// What the State Abbreviations dialog remembers from one opening to the next
// while the program runs (never saved).
struct StatesDialogMemory {
  int16_t LastStateIndex = 0;  // list position of the last chosen state
  int16_t LastCopyWhat = 1;    // 0 the state name, 1 the abbreviation
};

StatesDialogMemory& StatesMemory();

// Lists the states with their postal abbreviations and either inserts the
// chosen one at the caret of activeControl (when that is a text box, a
// QLineEdit or QPlainTextEdit) or copies it to the clipboard.
class frmStates : public QDialog {
  Q_OBJECT

 public:
  explicit frmStates(QWidget* activeControl, QWidget* parent = nullptr);

  void done(int result) override;

  QComboBox* cboStates;
  QComboBox* cboAbbreviations;
  std::array<QRadioButton*, 2> optCopyWhat;
  QPushButton* cmdPaste;
  QPushButton* cmdCopy;
  QPushButton* cmdCancel;

  void cmdPaste_Click();
  void cmdCopy_Click();

 private:
  // The chosen text, remembering whether it was the name or the abbreviation.
  QString ChosenText();

  QPointer<QWidget> activeControl_;
};
