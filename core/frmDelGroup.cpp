#include "core/frmDelGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AlphabeticalOrder.h"
#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "core/HelpTopics.h"
#include "core/PhoneNameText.h"
#include "core/BookText.h"
#include "platform/HelpKey.h"

namespace {

}  // namespace

frmDelGroup::frmDelGroup(const BookState& book, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmDelGroup"));
  DialogExchange& exchange = Exchange();
  const bool groups = exchange.ListMode == kListModeGroups;
  setWindowTitle(groups ? QStringLiteral("Delete Group") : QStringLiteral("Delete Phone Name"));
  helpContext_ = groups ? HelpTopic::DeleteGroup : HelpTopic::DeletePhoneName;

  lblMessage = new QLabel;
  lblMessage->setObjectName(QStringLiteral("lblMessage"));
  lblMessage->setWordWrap(true);
  cboItems = new QComboBox;
  cboItems->setObjectName(QStringLiteral("cboItems"));
  lblMessage->setBuddy(cboItems);
  const std::vector<std::string>& names = groups ? book.Groups : book.PhoneNames;
  const int deleted = exchange.DialogOK;
  cboItems->addItem(QString::fromLatin1(groups ? kUngroupedText : kBlankPhoneNameText), -1);
  for (int index : AlphabeticalOrder(names))
    if (index != deleted) cboItems->addItem(ShownText(names[static_cast<size_t>(index)]), index);
  cboItems->setCurrentIndex(0);
  exchange.DialogOK = 0;

  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  connect(cmdOK, &QPushButton::clicked, this, &frmDelGroup::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [this] { ShowHelpContext(helpContext_); });

  auto* body = new QVBoxLayout;
  body->addWidget(lblMessage);
  body->addWidget(cboItems);
  body->addStretch();
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdOK, cmdCancel, cmdHelp}) buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(buttons);
  lblMessage->setMinimumWidth(lblMessage->fontMetrics().averageCharWidth() * 40);
  SetHelpContext(this, helpContext_);
}

void frmDelGroup::cmdOK_Click() {
  DialogExchange& exchange = Exchange();
  exchange.ReassignTarget = cboItems->currentData().toInt();
  exchange.DialogOK = 1;
  accept();
}

bool ChooseReassignTarget(const BookState& book, int listMode, int deleted, const QString& message,
                          QWidget* parent) {
  DialogExchange& exchange = Exchange();
  exchange.ListMode = listMode;
  exchange.DialogOK = deleted;
  frmDelGroup dialog(book, parent);
  dialog.lblMessage->setText(message);
  dialog.exec();
  if (!exchange.DialogOK) return false;
  if (exchange.ReassignTarget > deleted) --exchange.ReassignTarget;
  return true;
}

#include "moc_frmDelGroup.cpp"
