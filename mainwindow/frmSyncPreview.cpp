#include "mainwindow/frmSyncPreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DialogButton.h"
#include "core/HelpTopics.h"
#include "platform/HelpKey.h"

frmSyncPreview::frmSyncPreview(const SyncPlan& plan, const QString& addressBook, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSyncPreview"));
  setWindowTitle(QStringLiteral("First Sync"));
  auto* lblIntro = new QLabel(QStringLiteral("The first sync with %1 will do this; nothing is deleted on either side:").arg(addressBook));
  lblIntro->setWordWrap(true);
  txtPlan = new QPlainTextEdit(plan.IsEmpty() ? QStringLiteral("Nothing: both sides hold the same contacts.") : plan.Summary().join('\n'));
  txtPlan->setObjectName(QStringLiteral("txtPlan"));
  txtPlan->setReadOnly(true);
  txtPlan->setMinimumSize(420, 260);
  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  auto* body = new QVBoxLayout;
  body->addWidget(lblIntro);
  body->addWidget(txtPlan, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel}));
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  SetHelpContext(this, HelpTopic::Sync);
}

#include "moc_frmSyncPreview.cpp"
