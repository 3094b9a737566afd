#include "mainwindow/frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/BusyPointer.h"
#include "platform/HelpKey.h"

namespace {

enum MappingColumn { kFileColumn, kHeaderColumn, kExampleColumn, kFieldColumn, kPhoneNameColumn };

struct FieldChoice {
  const char* Caption;
  CsvField Field;
  const char* Label;  // the column's label; none for its header (a phone takes the name typed beside it)
  NotesOrder Rank;
};

constexpr FieldChoice kFieldChoices[] = {
    {"Notes, under its header", CsvField::Notes, nullptr, kNotesOther},
    {"Skip", CsvField::Skip, "", kNotesOther},
    {"Name", CsvField::Name, "", kNotesOther},
    {"First name", CsvField::GivenName, "", kNotesOther},
    {"Middle name", CsvField::MiddleName, "", kNotesOther},
    {"Last name", CsvField::FamilyName, "", kNotesOther},
    {"Company", CsvField::Company, "", kNotesOther},
    {"Department", CsvField::Department, "", kNotesOther},
    {"Address", CsvField::Address, "", kNotesOther},
    {"Street", CsvField::Street, "", kNotesOther},
    {"City", CsvField::City, "", kNotesOther},
    {"State or region", CsvField::Region, "", kNotesOther},
    {"Postcode", CsvField::Postcode, "", kNotesOther},
    {"Country", CsvField::Country, "", kNotesOther},
    {"Phone", CsvField::Phone, nullptr, kNotesOther},
    {"Groups", CsvField::Groups, ",", kNotesOther},
    {"E-mail", CsvField::Notes, "E-mail", kNotesEmail},
    {"Notes", CsvField::Notes, "", kNotesOther},
};

QString ExampleOf(const CsvTable& table, int column) {
  for (const QStringList& row : table.Rows)
    if (column < row.size() && !row[column].trimmed().isEmpty()) return row[column].simplified();
  return {};
}

}  // namespace

frmImport::frmImport(BookState& book, std::vector<ImportSource> sources, QWidget* parent)
    : QDialog(parent), book_(book), sources_(std::move(sources)) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(QStringLiteral("Import"));

  grdColumns = new QTableWidget(0, 5);
  grdColumns->setObjectName(QStringLiteral("grdColumns"));
  grdColumns->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Column"), QStringLiteral("Example"),
                                         QStringLiteral("Import As"), QStringLiteral("Phone Name")});
  grdColumns->verticalHeader()->hide();
  grdColumns->horizontalHeader()->setStretchLastSection(true);
  grdColumns->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lblColumns = new QLabel(QStringLiteral("&Columns not recognised, import them as:"));
  lblColumns->setObjectName(QStringLiteral("lblColumns"));
  lblColumns->setBuddy(grdColumns);

  txtPreview = new QPlainTextEdit;
  txtPreview->setObjectName(QStringLiteral("txtPreview"));
  txtPreview->setReadOnly(true);
  txtPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtPreview->setMinimumSize(640, 300);
  auto* lblPreview = new QLabel(QStringLiteral("&Preview:"));
  lblPreview->setBuddy(txtPreview);
  chkSkipDuplicates = new QCheckBox(QStringLiteral("&Skip likely duplicates"));
  chkSkipDuplicates->setObjectName(QStringLiteral("chkSkipDuplicates"));
  chkSkipDuplicates->setChecked(true);

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");

  auto* body = new QVBoxLayout;
  body->addWidget(lblColumns);
  body->addWidget(grdColumns);
  body->addWidget(lblPreview);
  body->addWidget(txtPreview, 1);
  body->addWidget(chkSkipDuplicates);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}));

  connect(cmdOK, &QPushButton::clicked, this, &frmImport::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Import); });
  connect(chkSkipDuplicates, &QCheckBox::toggled, this, &frmImport::RefreshPreview);
  SetHelpContext(this, HelpTopic::Import);
  FillColumns();
  RefreshPreview();
}

// A row for every column that holds data under a header no common export uses.
void frmImport::FillColumns() {
  for (size_t s = 0; s < sources_.size(); ++s)
    if (sources_[s].Format == ImportFormat::Csv)
      for (const int column : ColumnsToMap(sources_[s].Table, sources_[s].Columns)) mapped_.push_back({s, column});
  grdColumns->setRowCount(static_cast<int>(mapped_.size()));
  for (int row = 0; row < grdColumns->rowCount(); ++row) {
    const ImportSource& source = sources_[mapped_[static_cast<size_t>(row)].Source];
    const int column = mapped_[static_cast<size_t>(row)].Column;
    grdColumns->setItem(row, kFileColumn, new QTableWidgetItem(QFileInfo(source.Path).fileName()));
    grdColumns->setItem(row, kHeaderColumn, new QTableWidgetItem(source.Table.Header[column]));
    grdColumns->setItem(row, kExampleColumn, new QTableWidgetItem(ExampleOf(source.Table, column)));
    auto* field = new QComboBox;
    for (const FieldChoice& choice : kFieldChoices) field->addItem(QString::fromLatin1(choice.Caption));
    auto* phoneName = new QLineEdit(source.Table.Header[column]);
    phoneName->setEnabled(false);
    grdColumns->setCellWidget(row, kFieldColumn, field);
    grdColumns->setCellWidget(row, kPhoneNameColumn, phoneName);
    connect(field, &QComboBox::currentIndexChanged, this, [this, row] { TakeMapping(row); });
    connect(phoneName, &QLineEdit::editingFinished, this, [this, row] { TakeMapping(row); });
  }
  grdColumns->resizeColumnsToContents();
  int width = 2 * grdColumns->frameWidth() + grdColumns->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < grdColumns->columnCount(); ++column) width += grdColumns->columnWidth(column);
  grdColumns->setMinimumWidth(width);
  lblColumns->setVisible(!mapped_.empty());
  grdColumns->setVisible(!mapped_.empty());
}

void frmImport::TakeMapping(int row) {
  const MappedColumn& mapped = mapped_[static_cast<size_t>(row)];
  ImportSource& source = sources_[mapped.Source];
  const int index = static_cast<QComboBox*>(grdColumns->cellWidget(row, kFieldColumn))->currentIndex();
  auto* phoneName = static_cast<QLineEdit*>(grdColumns->cellWidget(row, kPhoneNameColumn));
  const FieldChoice& choice = kFieldChoices[index];
  const bool phone = choice.Field == CsvField::Phone;
  phoneName->setEnabled(phone);
  QString label = choice.Label ? QString::fromLatin1(choice.Label) : source.Table.Header[mapped.Column];
  if (phone) label = phoneName->text().trimmed().isEmpty() ? QStringLiteral("Other") : phoneName->text().trimmed();
  source.Columns[static_cast<size_t>(mapped.Column)] = {choice.Field, 0, label, choice.Rank, false};
  RefreshPreview();
}

void frmImport::RefreshPreview() {
  BusyCursor busy;
  plan_ = PlanImport(book_, ContactsOf(sources_), chkSkipDuplicates->isChecked());
  QStringList files;
  for (const ImportSource& source : sources_) files << QFileInfo(source.Path).fileName();
  txtPreview->setPlainText((QStringList{QStringLiteral("From: ") + files.join(QStringLiteral(", "))} + ImportSummary(plan_))
                               .join(QLatin1Char('\n')));
}

void frmImport::cmdOK_Click() {
  ApplyImport(book_, plan_);
  accept();
}
