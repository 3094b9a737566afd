#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "core/BookState.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// Shows what importing the chosen files will do before anything changes:
// the contacts, the groups and phone names to be created, values moved to
// Notes or transliterated, skipped cards and likely duplicates. Columns of a
// CSV file that were not recognised are mapped to fields first. OK appends
// the records to the book; Cancel changes nothing.
class frmImport : public QDialog {
  Q_OBJECT

 public:
  frmImport(BookState& book, std::vector<ImportSource> sources, QWidget* parent = nullptr);
  // With the plan of the sources already worked out (likely duplicates skipped).
  frmImport(BookState& book, std::vector<ImportSource> sources, ImportPlan plan, QWidget* parent = nullptr);

  QLabel* lblColumns;
  QTableWidget* grdColumns;  // a row per column to map: file, header, example, field, phone name
  QPlainTextEdit* txtPreview;
  QCheckBox* chkSkipDuplicates;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

  void cmdOK_Click();

 private:
  struct MappedColumn {
    size_t Source;
    int Column;
  };

  void FillColumns();
  void TakeMapping(int row);
  frmImport(BookState& book, std::vector<ImportSource> sources, std::optional<ImportPlan> plan, QWidget* parent);
  void RefreshPreview();
  void ShowPlan();

  BookState& book_;
  std::vector<ImportSource> sources_;
  std::vector<MappedColumn> mapped_;
  ImportPlan plan_;
};
