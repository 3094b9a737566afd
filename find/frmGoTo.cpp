#include "find/frmGoTo.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "find/RecordFilterModel.h"
#include "find/RecordListModel.h"
#include "platform/HelpKey.h"

namespace {

constexpr int kColumnCharacters[RecordListModel::ColumnCount] = {24, 22, 16, 30};
constexpr int kShownRows = 16;

// Keys the search box hands to the list, so the choice moves while typing.
bool IsListKey(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return false;
  }
}

}  // namespace

frmGoTo::frmGoTo(const BookState& book, QWidget* parent) : QDialog(parent), book_(book) {
  setObjectName(QStringLiteral("frmGoTo"));
  setWindowTitle(QStringLiteral("Go To"));
  txtLookFor = new QLineEdit;
  txtLookFor->setObjectName(QStringLiteral("txtLookFor"));
  txtLookFor->setClearButtonEnabled(true);
  txtLookFor->setPlaceholderText(QStringLiteral("Name, company, phone, group or notes"));
  txtLookFor->installEventFilter(this);
  auto* lblLookFor = new QLabel(QStringLiteral("&Look For:"));
  lblLookFor->setBuddy(txtLookFor);
  lblCount = new QLabel;
  lblCount->setObjectName(QStringLiteral("lblCount"));
  BuildList();

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  QPushButton* cmdCancel = MakeButton("Cancel", "cmdCancel");
  QPushButton* cmdHelp = MakeButton("&Help", "cmdHelp");

  auto* grid = new QGridLayout(this);
  grid->addWidget(lblLookFor, 0, 0);
  grid->addWidget(txtLookFor, 1, 0);
  grid->addWidget(lstRecords, 2, 0);
  grid->addWidget(lblCount, 3, 0);
  grid->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}), 1, 1, 3, 1);
  grid->setRowStretch(2, 1);

  connect(txtLookFor, &QLineEdit::textChanged, this, &frmGoTo::txtLookFor_Change);
  connect(lstRecords, &QTableView::doubleClicked, this, &frmGoTo::cmdOK_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmGoTo::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::GoTo); });
  SetHelpContext(this, HelpTopic::GoTo);

  SelectRow(book.RecordCount() > 0 ? filter_->RowOf(book.CurrentRecord) : -1);
  ShowCount();
  txtLookFor->setFocus();
}

void frmGoTo::BuildList() {
  records_ = new RecordListModel(book_, this);
  filter_ = new RecordFilterModel(book_, records_, this);
  lstRecords = new QTableView;
  lstRecords->setObjectName(QStringLiteral("lstRecords"));
  lstRecords->setModel(filter_);
  lstRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
  lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
  lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lstRecords->setTabKeyNavigation(false);
  lstRecords->setWordWrap(false);
  lstRecords->setShowGrid(false);
  lstRecords->setAlternatingRowColors(true);
  // Fixed row heights and column widths: nothing is measured over the rows,
  // so a full book opens and narrows at once.
  QHeaderView* rows = lstRecords->verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(fontMetrics().height() + 6);
  QHeaderView* columns = lstRecords->horizontalHeader();
  columns->setStretchLastSection(true);
  columns->setHighlightSections(false);
  int width = 0;
  for (int c = 0; c < RecordListModel::ColumnCount; ++c) {
    const int columnWidth = fontMetrics().averageCharWidth() * kColumnCharacters[c];
    lstRecords->setColumnWidth(c, columnWidth);
    width += columnWidth;
  }
  lstRecords->setMinimumSize(width + 24, rows->defaultSectionSize() * kShownRows + columns->sizeHint().height());
}

int frmGoTo::ShownCount() const { return filter_->rowCount(); }

bool frmGoTo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtLookFor && event->type() == QEvent::KeyPress && IsListKey(*static_cast<QKeyEvent*>(event))) {
    QCoreApplication::sendEvent(lstRecords, event);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmGoTo::txtLookFor_Change() {
  filter_->SetQuery(txtLookFor->text());
  SelectRow(0);
  ShowCount();
}

void frmGoTo::SelectRow(int row) {
  const QModelIndex index = filter_->index(row, 0);
  lstRecords->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (index.isValid()) lstRecords->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void frmGoTo::ShowCount() {
  const int shown = filter_->rowCount();
  cmdOK->setEnabled(shown > 0);
  if (shown == 0)
    lblCount->setText(QStringLiteral("No record matches."));
  else
    lblCount->setText(QStringLiteral("%1 of %2 records").arg(shown).arg(book_.RecordCount()));
}

void frmGoTo::cmdOK_Click() {
  const QModelIndex current = lstRecords->currentIndex();
  if (!current.isValid()) return;
  chosen_ = filter_->RecordAt(current.row());
  accept();
}

#include "moc_frmGoTo.cpp"
