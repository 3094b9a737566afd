#pragma once

#include <array>

#include <QDialog>

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "print/PrintJob.h"

class GroupComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Print": the report type, title, groups, options, printer, copies and
// font of a print request. OK stores the choices in the settings, checks the font, and
// prints the chosen records, closing the dialog first; Preview shows them
// first and prints them when the user asks from there.
class frmPrint : public QDialog {
  Q_OBJECT

 public:
  frmPrint(const BookState& book, ProgramSettings& settings, QWidget* parent = nullptr);

  QLabel* Label2;
  QLineEdit* txtTitle;
  QLabel* Label1;
  GroupComboBox* cboGroups;
  QGroupBox* Frame1;
  std::array<QRadioButton*, 3> optReportType;
  QCheckBox* chkIncAddress;
  QCheckBox* chkAlphaChar;
  QCheckBox* chkBothSides;
  QLabel* lblBothSides;
  QLabel* lblPrinter;
  QPushButton* cmdOk;
  QPushButton* cmdCancel;
  QPushButton* cmdFonts;
  QPushButton* cmdAlign;
  QPushButton* cmdHelp;
  QPushButton* cmdPreview;
  QPushButton* cmdPrinter;

  // Takes the group chosen in the list into the group selection; runs each
  // time the list closes.
  void OnGroupCloseUp();
  void ShowGroupSelection();

  const std::string& GroupSelection() const { return job_.GroupSelection; }

  void optReportType_Click(int index);
  void cmdOK_Click();
  void cmdPreview_Click();
  void cmdPrinter_Click();
  void cmdFonts_Click();
  void cmdAlign_Click();

 private:
  enum class Start { Print, Preview };
  void LayOutControls();
  void ShowStoredOptions();
  void FillGroupList();
  void ChooseMultipleGroups();
  int SelectedReportType() const;
  // Stores the options and checks the printer and font; false when the
  // request cannot go on.
  bool ReadyToPrint();
  // Applies the font and measures the lines per page; false after telling
  // the user why the job cannot go on.
  bool FontFits(ReportType type);
  void BuildAndPrint(Start start);
  void PrintSorted(Start start);
  bool PhoneBookChosen() const;
  void ShowPrinter();
  void EnableBothSides();
  void EnableAlign();

  const BookState& book_;
  ProgramSettings& settings_;
  PrintJob job_;
};
