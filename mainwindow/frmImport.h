#pragma once

#include <optional>
#include <vector>

#include <QDialog>

#include "core/BookState.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"

class ImportPreviewModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QTableWidget;

// Shows what importing the chosen files will do before anything changes: a
// table of the contacts (name, company, the phones kept, groups; likely
// duplicates and values cut marked), and a summary of the groups and phone
// names to be created, values moved to Notes or transliterated, skipped
// cards and rows. Columns of a CSV file that were not recognised are mapped
// to fields above them, each starting from what its header's words suggest;
// a splitter shares the room between the three. OK appends the records to
// the book; Cancel changes nothing.
class frmImport : public QDialog {
  Q_OBJECT

 public:
  frmImport(BookState& book, std::vector<ImportSource> sources, QWidget* parent = nullptr);
  // With the plan of the sources already worked out (likely duplicates skipped).
  frmImport(BookState& book, std::vector<ImportSource> sources, ImportPlan plan, QWidget* parent = nullptr);

  QLabel* lblColumns;
  QTableWidget* grdColumns;  // a row per column to map: file, header, example, field, phone name
  QTableView* grdContacts;   // the contacts the files hold
  QPlainTextEdit* txtPreview;
  QSplitter* splPreview;
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
  QComboBox* FieldBox(const CsvColumn& column);
  QComboBox* PhoneNameBox(const CsvColumn& column);
  void TakeMapping(int row);
  frmImport(BookState& book, std::vector<ImportSource> sources, std::optional<ImportPlan> plan, QWidget* parent);
  void RefreshPreview();
  void ShowPlan();

  BookState& book_;
  std::vector<ImportSource> sources_;
  std::vector<MappedColumn> mapped_;
  ImportPlan plan_;
  ImportPreviewModel* contacts_;
};
