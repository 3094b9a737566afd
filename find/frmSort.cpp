#include "find/frmSort.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "find/SortRecords.h"
#include "platform/HelpKey.h"

namespace {

struct PriorityCaptions {
  const char* frame;
  const char* label;
  const char* byLastName;
  const char* caseSensitive;
  const char* order;
};

constexpr PriorityCaptions kCaptions[3] = {
    {"First Priority Field", "Field &1:", "&By Last Name", "&Case Sensitive", "&Sort Order"},
    {"Second Priority Field", "Field &2:", "By &Last Name", "Case Sensi&tive", "Sort &Order"},
    {"Third Priority Field", "Field &3:", "By Last &Name", "Case Sensiti&ve", "Sort Orde&r"},
};

const char* const kFrameNames[3] = {"Frame1", "Frame2", "Frame5"};
const char* const kOrderFrameNames[3] = {"Frame3", "Frame4", "Frame6"};

}  // namespace

frmSort::frmSort(BookState& book, QWidget* parent) : QDialog(parent), book_(book) {
  setObjectName(QStringLiteral("frmSort"));
  setWindowTitle(QStringLiteral("Sort Records"));
  auto* priorities = new QVBoxLayout;
  for (int p = 0; p < 3; ++p) priorities->addWidget(PriorityFrame(p));

  QPushButton* cmdOK = MakeButton("OK", "cmdOK");
  QPushButton* cmdCancel = MakeButton("Cancel", "cmdCancel");
  QPushButton* cmdHelp = MakeButton("&Help", "cmdHelp");
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmSort::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Sort); });
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOK, cmdCancel, cmdHelp}) buttons->addWidget(button);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(priorities);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::Sort);
  Exchange().DialogOK = 0;
}

QWidget* frmSort::PriorityFrame(int p) {
  const PriorityCaptions& captions = kCaptions[p];
  const SortKey& key = book_.Keys[static_cast<size_t>(p)];
  auto* frame = new QGroupBox(QString::fromLatin1(captions.frame));
  frame->setObjectName(QString::fromLatin1(kFrameNames[p]));

  QComboBox*& field = cboSortField[static_cast<size_t>(p)];
  field = new QComboBox;
  field->setObjectName(QStringLiteral("cboSortField%1").arg(p));
  field->addItems({"(None)", "Name", "Company", "Address", "Group", "Notes"});
  auto* label = new QLabel(QString::fromLatin1(captions.label));
  label->setBuddy(field);
  QCheckBox*& byLastName = chkByLastName[static_cast<size_t>(p)];
  byLastName = new QCheckBox(QString::fromLatin1(captions.byLastName));
  QCheckBox*& caseSensitive = chkCaseSensitive[static_cast<size_t>(p)];
  caseSensitive = new QCheckBox(QString::fromLatin1(captions.caseSensitive));

  auto* orderFrame = new QGroupBox(QString::fromLatin1(captions.order));
  orderFrame->setObjectName(QString::fromLatin1(kOrderFrameNames[p]));
  auto* orderLayout = new QVBoxLayout(orderFrame);
  auto* orderGroup = new QButtonGroup(frame);
  for (int d = 0; d < 2; ++d) {
    QRadioButton*& option = optSortOrder[static_cast<size_t>(2 * p + d)];
    option = new QRadioButton(d == 0 ? QStringLiteral("Ascending") : QStringLiteral("Descending"));
    orderGroup->addButton(option);
    orderLayout->addWidget(option);
  }

  connect(field, &QComboBox::currentIndexChanged, this, [this, p] { cboSortField_Click(p); });
  field->setCurrentIndex(key.SortField >= 0 && key.SortField < field->count() ? key.SortField : -1);
  cboSortField_Click(p);
  caseSensitive->setChecked(key.CaseSensitive == 1);
  byLastName->setChecked(key.ByLastName == 1);
  optSortOrder[static_cast<size_t>(2 * p + (key.Descending ? 1 : 0))]->setChecked(true);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(label, 0, 0);
  grid->addWidget(field, 0, 1);
  grid->addWidget(byLastName, 1, 1);
  grid->addWidget(caseSensitive, 2, 1);
  grid->addWidget(orderFrame, 0, 2, 3, 1);
  return frame;
}

void frmSort::cboSortField_Click(int p) {
  chkByLastName[static_cast<size_t>(p)]->setEnabled(cboSortField[static_cast<size_t>(p)]->currentIndex() == kSortName);
}

void frmSort::cmdOK_Click() {
  for (size_t p = 0; p < 3; ++p) {
    SortKey& key = book_.Keys[p];
    key.SortField = static_cast<int16_t>(cboSortField[p]->currentIndex());
    key.CaseSensitive = chkCaseSensitive[p]->isChecked() ? 1 : 0;
    key.ByLastName = chkByLastName[p]->isChecked() ? 1 : 0;
    key.Descending = optSortOrder[2 * p]->isChecked() ? 0 : 1;
  }
  Exchange().DialogOK = 1;
  accept();
}

bool RunSortCommand(BookState& book, QWidget* parent) {
  frmSort dialog(book, parent);
  dialog.exec();
  if (!Exchange().DialogOK) return false;
  SortRecords(book);
  return true;
}

#include "moc_frmSort.cpp"
