#include "mainwindow/frmPhoneNames.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AlphabeticalOrder.h"
#include "core/StorableTextValidator.h"
#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "core/PhoneNameLimit.h"
#include "core/PhoneNameText.h"
#include "core/frmGroups.h"
#include "core/BookText.h"
#include "platform/Collation.h"
#include "platform/HelpKey.h"

namespace {

bool SameName(const std::string& a, const std::string& b) { return CompareUtf8IgnoringCase(a, b) == 0; }

}  // namespace

frmPhoneNames::frmPhoneNames(BookState& book, QWidget* parent) : QDialog(parent), book_(book) {
  setObjectName(QStringLiteral("frmPhoneNames"));
  setWindowTitle(QStringLiteral("Phone Names"));
  auto* layout = new QGridLayout(this);
  for (size_t i = 0; i < cboPhoneNames.size(); ++i) {
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("cboPhoneNames(%1)").arg(i));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setValidator(new StorableTextValidator(book_, box));
    box->setMinimumContentsLength(16);
    auto* label = new QLabel(QStringLiteral("Phone &%1:").arg(i + 1));
    label->setBuddy(box);
    layout->addWidget(label, static_cast<int>(i), 0);
    layout->addWidget(box, static_cast<int>(i), 1);
    connect(box, &QComboBox::currentTextChanged, this, &frmPhoneNames::UpdateOKButton);
    cboPhoneNames[i] = box;
  }
  chkUseAsDefault = new QCheckBox(QStringLiteral("Use As &Default"));
  chkUseAsDefault->setObjectName(QStringLiteral("chkUseAsDefault"));
  layout->addWidget(chkUseAsDefault, 4, 1);

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdEditList = MakeButton("&Edit List...", "cmdEditList");
  connect(cmdOK, &QPushButton::clicked, this, &frmPhoneNames::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdEditList, &QPushButton::clicked, this, &frmPhoneNames::cmdEditList_Click);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOK, cmdCancel, cmdEditList}) buttons->addWidget(button);
  buttons->addStretch();
  layout->addLayout(buttons, 0, 2, 5, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  SetHelpContext(this, HelpTopic::PhoneNames);
  FillBoxes();
}

void frmPhoneNames::FillBoxes() {
  const AddressRecord& record = book_.Current();
  const std::vector<int> order = AlphabeticalOrder(book_.PhoneNames);
  for (size_t i = 0; i < cboPhoneNames.size(); ++i) {
    QComboBox* box = cboPhoneNames[i];
    box->clear();
    box->addItem(QString::fromLatin1(kBlankPhoneNameText), -1);
    for (int index : order) box->addItem(ShownText(book_.PhoneNames[static_cast<size_t>(index)]), index);
    const int shown = box->findData(static_cast<int>(record.PhoneNameIndex[i]));
    box->setCurrentIndex(shown);
    if (shown < 0) box->setEditText(QString());
  }
  UpdateOKButton();
  if (isVisible()) cboPhoneNames[0]->setFocus();
}

void frmPhoneNames::UpdateOKButton() {
  const bool allFilled = std::all_of(cboPhoneNames.begin(), cboPhoneNames.end(),
                                     [](const QComboBox* box) { return !box->currentText().trimmed().isEmpty(); });
  cmdOK->setEnabled(allFilled);
}

bool frmPhoneNames::StoreSlot(int slot) {
  const QString typed = cboPhoneNames[static_cast<size_t>(slot)]->currentText();
  const std::string name = StoredText(typed.trimmed());
  int16_t& index = book_.Current().PhoneNameIndex[static_cast<size_t>(slot)];
  if (SameName(name, kBlankPhoneNameText)) {
    index = -1;
  } else {
    const auto found = std::find_if(book_.PhoneNames.begin(), book_.PhoneNames.end(),
                                    [&](const std::string& entry) { return SameName(entry, name); });
    if (found != book_.PhoneNames.end()) {
      index = static_cast<int16_t>(found - book_.PhoneNames.begin());
    } else {
      if (!RoomForAnotherPhoneName(book_)) return false;
      const QString question = "'" + typed + "' is not in the Phone Description list. Do you want to add it?";
      if (ShowMessage(MessageKind::Confirmation, question) != MessageAnswer::Yes) return false;
      index = static_cast<int16_t>(AddPhoneName(book_, name));
    }
  }
  book_.Dirty = true;
  return true;
}

void frmPhoneNames::cmdOK_Click() {
  for (int slot = 0; slot < static_cast<int>(cboPhoneNames.size()); ++slot) {
    if (!StoreSlot(slot)) {
      FillBoxes();
      return;
    }
  }
  if (chkUseAsDefault->isChecked()) book_.DefaultPhoneNames = book_.Current().PhoneNameIndex;
  StampChange(book_, book_.Current());
  book_.Dirty = true;
  accept();
}

void frmPhoneNames::cmdEditList_Click() {
  Exchange().ListMode = kListModePhoneNames;
  frmGroups dialog(book_, this);
  dialog.exec();
  FillBoxes();
}

#include "moc_frmPhoneNames.cpp"
