#include "mainwindow/frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "mainwindow/ColumnMappingDelegate.h"
#include "mainwindow/ColumnMappingModel.h"
#include "mainwindow/ImportPreviewModel.h"
#include "platform/BusyPointer.h"
#include "platform/HelpKey.h"

frmImport::frmImport(BookState& book, std::vector<ImportSource> sources, QWidget* parent)
    : frmImport(book, std::move(sources), std::nullopt, parent) {}

frmImport::frmImport(BookState& book, std::vector<ImportSource> sources, ImportPlan plan, QWidget* parent)
    : frmImport(book, std::move(sources), std::optional<ImportPlan>(std::move(plan)), parent) {}

frmImport::frmImport(BookState& book, std::vector<ImportSource> sources, std::optional<ImportPlan> plan,
                     QWidget* parent)
    : QDialog(parent), book_(book), sources_(std::move(sources)), replanner_([this] { return PrepareReplanning(); }) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(QStringLiteral("Import"));

  columns_ = new ColumnMappingModel(this);
  columns_->Fill(sources_);
  grdColumns = new QTableView;
  grdColumns->setObjectName(QStringLiteral("grdColumns"));
  lblColumns = new QLabel(QStringLiteral("&Columns not recognised, import them as:"));
  lblColumns->setObjectName(QStringLiteral("lblColumns"));
  lblColumns->setBuddy(grdColumns);

  contacts_ = new ImportPreviewModel(book_, this);
  grdContacts = new QTableView;
  grdContacts->setObjectName(QStringLiteral("grdContacts"));
  grdContacts->setModel(contacts_);
  grdContacts->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdContacts->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdContacts->setWordWrap(false);
  grdContacts->horizontalHeader()->setStretchLastSection(true);
  grdContacts->verticalHeader()->setDefaultSectionSize(grdContacts->fontMetrics().height() + 6);
  auto* lblContacts = new QLabel(QStringLiteral("C&ontacts (shaded: not added, or marked in Remarks):"));
  lblContacts->setBuddy(grdContacts);

  txtPreview = new QPlainTextEdit;
  txtPreview->setObjectName(QStringLiteral("txtPreview"));
  txtPreview->setReadOnly(true);
  txtPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* lblPreview = new QLabel(QStringLiteral("&Summary:"));
  lblPreview->setBuddy(txtPreview);
  chkSkipDuplicates = new QCheckBox(QStringLiteral("&Skip likely duplicates"));
  chkSkipDuplicates->setObjectName(QStringLiteral("chkSkipDuplicates"));
  chkSkipDuplicates->setChecked(true);

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");

  const auto pane = [](QLabel* label, QWidget* body) {
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(body, 1);
    return widget;
  };
  splPreview = new QSplitter(Qt::Vertical);
  splPreview->setObjectName(QStringLiteral("splPreview"));
  splPreview->setChildrenCollapsible(false);
  QWidget* columns = pane(lblColumns, grdColumns);
  splPreview->addWidget(columns);
  splPreview->addWidget(pane(lblContacts, grdContacts));
  splPreview->addWidget(pane(lblPreview, txtPreview));
  auto* body = new QVBoxLayout;
  body->addWidget(splPreview, 1);
  body->addWidget(chkSkipDuplicates);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}));
  resize(960, 720);

  connect(cmdOK, &QPushButton::clicked, this, &frmImport::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Import); });
  connect(chkSkipDuplicates, &QCheckBox::toggled, &replanner_, &ImportReplanner::Request);
  connect(columns_, &ColumnMappingModel::MappingChanged, &replanner_, &ImportReplanner::Request);
  connect(&replanner_, &ImportReplanner::Planned, this, &frmImport::ShowPlan);
  SetHelpContext(this, HelpTopic::Import);
  SetUpColumns();
  const bool mapping = columns_->rowCount() > 0;
  columns->setVisible(mapping);
  // The mapping, when there is one, gets the most room at first: it is what the user has to do.
  splPreview->setSizes(mapping ? QList<int>{320, 240, 120} : QList<int>{0, 420, 200});
  if (!plan) {
    BusyCursor busy;
    plan = PlanImport(book_, sources_, chkSkipDuplicates->isChecked());
  }
  ShowPlan(std::make_shared<ImportPlan>(std::move(*plan)));
}

// The mapping table: text only until a cell is edited, by a click, F2 or typing.
void frmImport::SetUpColumns() {
  grdColumns->setModel(columns_);
  auto* boxes = new ColumnMappingDelegate(book_.PhoneNames, grdColumns);
  grdColumns->setItemDelegate(boxes);
  grdColumns->verticalHeader()->hide();
  grdColumns->horizontalHeader()->setStretchLastSection(true);
  grdColumns->setSelectionMode(QAbstractItemView::SingleSelection);
  grdColumns->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  grdColumns->setTabKeyNavigation(false);  // Tab goes on to the contacts, as in every other list
  // One click opens a field's list, as a drop-down box does.
  connect(grdColumns, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    if (!(index.flags() & Qt::ItemIsEditable)) return;
    grdColumns->edit(index);
    if (auto* box = qobject_cast<QComboBox*>(grdColumns->indexWidget(index)); box && !box->isEditable()) box->showPopup();
  });
  grdColumns->setCurrentIndex(columns_->index(0, ColumnMappingModel::kField));
  grdColumns->resizeColumnsToContents();
  int width = 2 * grdColumns->frameWidth() + grdColumns->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < ColumnMappingModel::kColumnCount; ++column) width += grdColumns->columnWidth(column);
  grdColumns->setMinimumWidth(width);
}

// Brings the sources up to date with the mapping; the work then reads them
// and the book, which change no more until it is done.
ImportReplanner::Work frmImport::PrepareReplanning() {
  columns_->ApplyTo(sources_);
  setCursor(Qt::BusyCursor);
  return [this, skipDuplicates = chkSkipDuplicates->isChecked()] {
    return PlanImport(book_, sources_, skipDuplicates);
  };
}

void frmImport::ShowPlan(std::shared_ptr<ImportPlan> plan) {
  contacts_->Show(plan.get());  // before the plan it showed goes
  plan_ = std::move(plan);
  QStringList files;
  for (const ImportSource& source : sources_) files << QFileInfo(source.Path).fileName();
  txtPreview->setPlainText((QStringList{QStringLiteral("From: ") + files.join(QStringLiteral(", "))} + ImportSummary(*plan_))
                               .join(QLatin1Char('\n')));
  grdContacts->resizeColumnsToContents();
  unsetCursor();
  Q_EMIT PreviewShown();
}

void frmImport::cmdOK_Click() {
  {
    BusyCursor busy;
    replanner_.Finish();  // the plan of the mapping as it is now
  }
  ApplyImport(book_, *plan_);
  accept();
}

#include "moc_frmImport.cpp"
