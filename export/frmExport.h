#pragma once

#include <array>

#include <QDialog>

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "export/ExportWriter.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// Chooses the target file, separator and columns, stores them as the export
// settings and writes every record of the book to the file.
class frmExport : public QDialog {
  Q_OBJECT

 public:
  frmExport(const BookState& book, ProgramSettings& settings, QWidget* parent = nullptr);

  QLineEdit* txtFilename;
  QPushButton* cmdBrowse;
  QComboBox* cboSeparator;
  QCheckBox* chkPhoneNames;
  QComboBox* cboEncoding;  // a Unicode book only: UTF-8 or windows-1252
  std::array<QCheckBox*, kExportFieldCount> chkWhichFields;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void cmdBrowse_Click();
  void cmdOK_Click();

 private:
  void Form_Load();
  int ChosenFields() const;
  bool ConfirmCodePage(const ProgramSettings::ExportSection& options);

  const BookState& book_;
  ProgramSettings& settings_;
};
