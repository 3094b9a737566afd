#include "mainwindow/frmSyncOptions.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/HelpKey.h"
#include "sync/SyncState.h"

frmSyncOptions::frmSyncOptions(const SyncState& state, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSyncOptions"));
  setWindowTitle(QStringLiteral("Sync Options"));
  const SyncAccount& account = state.Account;
  lblAccount = new QLabel(QStringLiteral("This book syncs with %1 (%2) as %3.")
                              .arg(account.DisplayName.isEmpty() ? account.AddressBook.path() : account.DisplayName,
                                   account.AddressBook.toString(), account.User));
  lblAccount->setObjectName(QStringLiteral("lblAccount"));
  lblAccount->setTextFormat(Qt::PlainText);
  lblAccount->setWordWrap(true);
  auto* form = new QFormLayout;
  form->addRow(lblAccount);
  Options.AddRows(*form);
  Options.Show(state);
  cmdOK = MakeButton("OK", "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}));
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::SyncOptions); });
  SetHelpContext(this, HelpTopic::SyncOptions);
}

#include "moc_frmSyncOptions.cpp"
