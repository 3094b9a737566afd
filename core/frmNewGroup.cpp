#include "core/frmNewGroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/StorableTextValidator.h"
#include "core/DialogButton.h"
#include "core/DialogExchange.h"
#include "core/BookText.h"

frmNewGroup::frmNewGroup(const QString& caption, const QString& label, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmNewGroup"));
  setWindowTitle(caption);
  txtGroupName = new QLineEdit;
  txtGroupName->setObjectName(QStringLiteral("txtGroupName"));
  txtGroupName->setValidator(new StorableTextValidator(Book(), txtGroupName));
  txtGroupName->setMinimumWidth(txtGroupName->fontMetrics().averageCharWidth() * 32);
  Label1 = new QLabel(label);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setBuddy(txtGroupName);
  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(txtGroupName, 1, 0);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addStretch();
  layout->addLayout(buttons, 0, 1, 3, 1);
  layout->setRowStretch(2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  DialogExchange& exchange = Exchange();
  if (exchange.DialogText.empty()) {
    cmdOK->setEnabled(false);
  } else {
    txtGroupName->setText(ShownText(exchange.DialogText));
    txtGroupName->selectAll();
  }
  exchange.DialogOK = 0;
  connect(txtGroupName, &QLineEdit::textChanged, this, &frmNewGroup::txtGroupName_Change);
  connect(cmdOK, &QPushButton::clicked, this, &frmNewGroup::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmNewGroup::txtGroupName_Change() {
  cmdOK->setEnabled(!txtGroupName->text().trimmed().isEmpty());
}

void frmNewGroup::cmdOK_Click() {
  DialogExchange& exchange = Exchange();
  exchange.DialogText = StoredText(txtGroupName->text().trimmed());
  exchange.DialogOK = 1;
  accept();
}

#include "moc_frmNewGroup.cpp"
