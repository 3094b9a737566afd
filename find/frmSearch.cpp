#include "find/frmSearch.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/HelpTopics.h"
#include "core/BookText.h"
#include "platform/HelpKey.h"

namespace {

constexpr int kCollapsedHeightTwips = 2220;
constexpr int kExpandedHeightTwips = 3420;
constexpr int kTwipsPerInch = 1440;
const char* const kFieldCaptions[6] = {"Name", "Company", "Address", "Group", "Phone", "Notes"};

}  // namespace

frmSearch::frmSearch(ProgramSettings::SearchSection& search, QWidget* parent) : QDialog(parent), search_(search) {
  setObjectName(QStringLiteral("frmSearch"));
  setWindowTitle(QStringLiteral("Search"));
  txtSearchFor = new QLineEdit;
  txtSearchFor->setObjectName(QStringLiteral("txtSearchFor"));
  auto* Label1 = new QLabel(QStringLiteral("&Search For:"));
  Label1->setBuddy(txtSearchFor);
  cmdFindFirst = MakeButton("Find &First", "cmdFindFirst");
  cmdFindNext = MakeButton("Find &Next", "cmdFindNext");
  QPushButton* cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdFindFirst->setDefault(true);
  chkMatchCase = new QCheckBox(QStringLiteral("&Match Case"));

  auto* Frame2 = new QGroupBox(QStringLiteral("Search In"));
  auto* frameLayout = new QVBoxLayout(Frame2);
  auto* optionGroup = new QButtonGroup(this);
  optSelectedFields = {new QRadioButton(QStringLiteral("&All Fields")),
                       new QRadioButton(QStringLiteral("Selected Fiel&ds..."))};
  for (int i = 0; i < 2; ++i) {
    optionGroup->addButton(optSelectedFields[static_cast<size_t>(i)], i);
    frameLayout->addWidget(optSelectedFields[static_cast<size_t>(i)]);
  }
  fraWhichFields = new QGroupBox(QStringLiteral("&Which Fields"));
  fraWhichFields->setObjectName(QStringLiteral("fraWhichFields"));
  auto* fieldsLayout = new QGridLayout(fraWhichFields);
  for (int n = 0; n < 6; ++n) {
    chkWhichFields[static_cast<size_t>(n)] = new QCheckBox(QString::fromLatin1(kFieldCaptions[n]));
    fieldsLayout->addWidget(chkWhichFields[static_cast<size_t>(n)], n / 3, n % 3);
  }

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(txtSearchFor, 1, 0);
  grid->addWidget(chkMatchCase, 2, 0);
  grid->addWidget(Frame2, 3, 0);
  grid->addWidget(cmdFindFirst, 1, 1);
  grid->addWidget(cmdFindNext, 2, 1);
  grid->addWidget(cmdCancel, 3, 1, Qt::AlignTop);
  grid->addWidget(fraWhichFields, 4, 0, 1, 2);
  grid->setRowStretch(5, 1);

  connect(txtSearchFor, &QLineEdit::textChanged, this, &frmSearch::txtSearchFor_Change);
  connect(optionGroup, &QButtonGroup::idClicked, this, &frmSearch::optSelectedFields_Click);
  connect(cmdFindFirst, &QPushButton::clicked, this, &frmSearch::cmdFindFirst_Click);
  connect(cmdFindNext, &QPushButton::clicked, this, [this] {
    FromNextRecord = true;
    cmdFindFirst_Click();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  SetHelpContext(this, HelpTopic::Search);

  fraWhichFields->hide();
  SetOuterHeight(kCollapsedHeightTwips);
  optSelectedFields_Click(0);
  txtSearchFor->setText(ShownText(search.SearchString));
  txtSearchFor->selectAll();
  txtSearchFor_Change();
  chkMatchCase->setChecked(search.MatchCase);
  const int chosen = search.AllFields ? 0 : 1;
  optSelectedFields[static_cast<size_t>(chosen)]->setChecked(true);
  optSelectedFields_Click(chosen);
  for (int n = 0; n < 6; ++n) chkWhichFields[static_cast<size_t>(n)]->setChecked(search.WhichFields & (1 << n));
  Exchange().DialogOK = 0;
}

// The height in twips, or taller when the fonts need more room for the
// controls that are shown.
void frmSearch::SetOuterHeight(int twips) {
  const int frame = frameGeometry().height() - geometry().height();
  layout()->activate();
  setFixedHeight(std::max(twips * logicalDpiY() / kTwipsPerInch - frame, layout()->minimumSize().height()));
}

void frmSearch::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The window frame is known only once the dialog has its window; until
  // then the height given was that of the inside alone.
  SetOuterHeight(expanded_ ? kExpandedHeightTwips : kCollapsedHeightTwips);
}

void frmSearch::optSelectedFields_Click(int i) {
  if (i == 1 && !expanded_) {
    optSelectedFields[1]->setText(QStringLiteral("Selected Fiel&ds"));
    expanded_ = true;
    fraWhichFields->show();
    SetOuterHeight(kExpandedHeightTwips);
  }
  for (QCheckBox* box : chkWhichFields) box->setEnabled(i != 0);
}

void frmSearch::txtSearchFor_Change() {
  const bool any = !txtSearchFor->text().isEmpty();
  cmdFindFirst->setEnabled(any);
  cmdFindNext->setEnabled(any);
}

void frmSearch::cmdFindFirst_Click() {
  search_.SearchString = StoredText(txtSearchFor->text());
  search_.MatchCase = chkMatchCase->isChecked();
  search_.AllFields = optSelectedFields[0]->isChecked();
  int16_t fields = 0;
  for (int n = 0; n < 6; ++n)
    if (chkWhichFields[static_cast<size_t>(n)]->isChecked()) fields = static_cast<int16_t>(fields | (1 << n));
  search_.WhichFields = fields;
  Exchange().DialogOK = 1;
  accept();
}

#include "moc_frmSearch.cpp"
