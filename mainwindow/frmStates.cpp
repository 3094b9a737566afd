#include "mainwindow/frmStates.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/Clipboard.h"
#include "platform/HelpKey.h"

namespace {

constexpr int kCopyName = 0;
constexpr int kCopyAbbreviation = 1;

struct State {
  const char* Name;
  const char* Abbreviation;
};

constexpr std::array<State, 52> kStates{{
    {"Alabama", "AL"},        {"Alaska", "AK"},         {"Arizona", "AZ"},
    {"Arkansas", "AR"},       {"California", "CA"},     {"Colorado", "CO"},
    {"Connecticut", "CT"},    {"Delaware", "DE"},       {"District of Columbia", "DC"},
    {"Florida", "FL"},        {"Georgia", "GA"},        {"Hawaii", "HI"},
    {"Idaho", "ID"},          {"Illinois", "IL"},       {"Indiana", "IN"},
    {"Iowa", "IA"},           {"Kansas", "KS"},         {"Kentucky", "KY"},
    {"Louisiana", "LA"},      {"Maine", "ME"},          {"Maryland", "MD"},
    {"Massachusetts", "MA"},  {"Michigan", "MI"},       {"Minnesota", "MN"},
    {"Mississippi", "MS"},    {"Missouri", "MO"},       {"Montana", "MT"},
    {"Nebraska", "NE"},       {"Nevada", "NV"},         {"New Hampshire", "NH"},
    {"New Jersey", "NJ"},     {"New Mexico", "NM"},     {"New York", "NY"},
    {"North Carolina", "NC"}, {"North Dakota", "ND"},   {"Ohio", "OH"},
    {"Oklahoma", "OK"},       {"Oregon", "OR"},         {"Pennsylvania", "PA"},
    {"Puerto Rico", "PR"},    {"Rhode Island", "RI"},   {"South Carolina", "SC"},
    {"South Dakota", "SD"},   {"Tennessee", "TN"},      {"Texas", "TX"},
    {"Utah", "UT"},           {"Vermont", "VT"},        {"Virginia", "VA"},
    {"Washington", "WA"},     {"West Virginia", "WV"},  {"Wisconsin", "WI"},
    {"Wyoming", "WY"},
}};

bool IsTextBox(const QWidget* control) {
  return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QPlainTextEdit*>(control);
}

// Replaces the box's selection, or inserts at its caret, through the box
// itself so that its change handler sees the edit.
void InsertIntoTextBox(QWidget* box, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(box))
    line->insert(text);
  else if (auto* plain = qobject_cast<QPlainTextEdit*>(box))
    plain->insertPlainText(text);
}

QComboBox* StateList(const char* name, const char* State::*column) {
  auto* list = new QComboBox;
  list->setObjectName(QString::fromLatin1(name));
  for (const State& state : kStates) list->addItem(QString::fromLatin1(state.*column));
  return list;
}

}  // namespace

StatesDialogMemory& StatesMemory() {
  static StatesDialogMemory memory;
  return memory;
}

frmStates::frmStates(QWidget* activeControl, QWidget* parent)
    : QDialog(parent), activeControl_(activeControl) {
  setObjectName(QStringLiteral("frmStates"));
  setWindowTitle(QStringLiteral("State Abbreviations"));
  const StatesDialogMemory& memory = StatesMemory();

  cboStates = StateList("cboStates", &State::Name);
  cboAbbreviations = StateList("cboAbbreviations", &State::Abbreviation);
  cboStates->setCurrentIndex(memory.LastStateIndex);
  cboAbbreviations->setCurrentIndex(memory.LastStateIndex);
  connect(cboStates, &QComboBox::currentIndexChanged, cboAbbreviations, &QComboBox::setCurrentIndex);
  connect(cboAbbreviations, &QComboBox::currentIndexChanged, cboStates, &QComboBox::setCurrentIndex);
  auto* statesLabel = new QLabel(QStringLiteral("&States:"));
  statesLabel->setBuddy(cboStates);
  auto* abbreviationsLabel = new QLabel(QStringLiteral("&Abbreviations:"));
  abbreviationsLabel->setBuddy(cboAbbreviations);

  auto* frame = new QGroupBox(QStringLiteral("Paste/Copy &What"));
  auto* frameLayout = new QVBoxLayout(frame);
  optCopyWhat = {new QRadioButton(QStringLiteral("State Name")), new QRadioButton(QStringLiteral("Abbreviation"))};
  for (int i = 0; i < 2; ++i) {
    optCopyWhat[i]->setObjectName(QStringLiteral("optCopyWhat%1").arg(i));
    frameLayout->addWidget(optCopyWhat[i]);
  }
  optCopyWhat[memory.LastCopyWhat == kCopyName ? kCopyName : kCopyAbbreviation]->setChecked(true);

  cmdPaste = MakeButton("&Paste at Cursor", "cmdPaste");
  cmdCopy = MakeButton("&Copy to Clipboard", "cmdCopy");
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  const bool canPaste = IsTextBox(activeControl_);
  cmdPaste->setEnabled(canPaste);
  (canPaste ? cmdPaste : cmdCopy)->setDefault(true);
  connect(cmdPaste, &QPushButton::clicked, this, &frmStates::cmdPaste_Click);
  connect(cmdCopy, &QPushButton::clicked, this, &frmStates::cmdCopy_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* lists = new QGridLayout;
  lists->addWidget(statesLabel, 0, 0);
  lists->addWidget(cboStates, 1, 0);
  lists->addWidget(abbreviationsLabel, 0, 1);
  lists->addWidget(cboAbbreviations, 1, 1);
  lists->addWidget(frame, 2, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdPaste, cmdCopy, cmdCancel}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(lists);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::States);
}

QString frmStates::ChosenText() {
  const bool name = optCopyWhat[kCopyName]->isChecked();
  StatesMemory().LastCopyWhat = static_cast<int16_t>(name ? kCopyName : kCopyAbbreviation);
  return (name ? cboStates : cboAbbreviations)->currentText();
}

void frmStates::cmdPaste_Click() {
  if (!IsTextBox(activeControl_)) {
    ShowMessage(MessageKind::Notice, QStringLiteral("Cannot paste at cursor. Cursor is not in a text box."));
    return;
  }
  InsertIntoTextBox(activeControl_, ChosenText());
  accept();
}

void frmStates::cmdCopy_Click() {
  SystemClipboard().SetText(ChosenText());
  accept();
}

void frmStates::done(int result) {
  StatesMemory().LastStateIndex = static_cast<int16_t>(cboStates->currentIndex());
  QDialog::done(result);
}

#include "moc_frmStates.cpp"
