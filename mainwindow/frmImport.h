#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "core/BookState.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"

#include "mainwindow/ImportReplanner.h"

class ColumnMappingModel;
class ImportPreviewModel;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;

// Shows what importing the chosen files will do before anything changes: a
// table of the contacts (name, company, the phones kept, groups; likely
// duplicates and values cut marked), and a summary of the groups and phone
// names to be created, values moved to Notes or transliterated, skipped
// cards and rows. Columns of a CSV file that were not recognised are mapped
// to fields above them, each starting from what its header's words suggest;
// a splitter shares the room between the three. A change of the mapping is
// planned beside the window's work, and the preview follows when it is
// ready. OK appends the records to the book; Cancel changes nothing.
class frmImport : public QDialog {
  Q_OBJECT

 public:
  frmImport(BookState& book, std::vector<ImportSource> sources, QWidget* parent = nullptr);
  // With the plan of the sources already worked out (likely duplicates skipped).
  frmImport(BookState& book, std::vector<ImportSource> sources, ImportPlan plan, QWidget* parent = nullptr);

  QLabel* lblColumns;
  QTableView* grdColumns;    // a row per column to map: file, header, example, field, phone name
  QTableView* grdContacts;   // the contacts the files hold
  QPlainTextEdit* txtPreview;
  QSplitter* splPreview;
  QCheckBox* chkSkipDuplicates;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

  void cmdOK_Click();
  // True while a change of the mapping or choices is being planned.
  bool Replanning() const { return replanner_.Busy(); }

 Q_SIGNALS:
  // The preview shows the plan of the mapping and choices as they are now.
  void PreviewShown();

 private:
  frmImport(BookState& book, std::vector<ImportSource> sources, std::optional<ImportPlan> plan, QWidget* parent);
  void SetUpColumns();
  ImportReplanner::Work PrepareReplanning();
  void ShowPlan(std::shared_ptr<ImportPlan> plan);

  BookState& book_;
  std::vector<ImportSource> sources_;
  ColumnMappingModel* columns_;
  std::shared_ptr<ImportPlan> plan_;
  ImportPreviewModel* contacts_;
  ImportReplanner replanner_;  // last: its work reads the book and sources
};
