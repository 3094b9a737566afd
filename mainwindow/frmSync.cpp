#include "mainwindow/frmSync.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/DialogButton.h"
#include "core/ErrorReport.h"
#include "core/HelpTopics.h"
#include "platform/BusyPointer.h"
#include "platform/HelpKey.h"
#include "sync/ServerLocation.h"
#include "sync/SyncCommand.h"
#include "sync/SyncFailure.h"

namespace {

QLineEdit* Field(const char* name) {
  auto* field = new QLineEdit;
  field->setObjectName(QLatin1String(name));
  return field;
}

}  // namespace

frmSync::frmSync(ClientMaker makeClient, QWidget* parent) : QDialog(parent), makeClient_(std::move(makeClient)) {
  setObjectName(QStringLiteral("frmSync"));
  setWindowTitle(QStringLiteral("Sync"));
  txtServer = Field("txtServer");
  txtServer->setPlaceholderText(QStringLiteral("example.com, you@example.com or https://..."));
  txtUser = Field("txtUser");
  txtPassword = Field("txtPassword");
  txtPassword->setEchoMode(QLineEdit::Password);
  cmdFind = MakeButton("&Find Address Books", "cmdFind");
  cboAddressBook = new QComboBox;
  cboAddressBook->setObjectName(QStringLiteral("cboAddressBook"));
  lblStatus = new QLabel;
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setWordWrap(true);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Server:"), txtServer);
  form->addRow(QStringLiteral("&User name:"), txtUser);
  form->addRow(QStringLiteral("&Password:"), txtPassword);
  form->addRow(QString(), cmdFind);
  form->addRow(QStringLiteral("&Address book:"), cboAddressBook);
  Options.AddRows(*form);
  form->addRow(lblStatus);
  cmdOK = MakeButton("Sync", "cmdOK");
  cmdOK->setDefault(true);
  cmdOK->setEnabled(false);
  cmdCancel = MakeButton("Cancel", "cmdCancel");
  cmdHelp = MakeButton("&Help", "cmdHelp");
  auto* layout = new QHBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // grows with a longer status, such as a certificate's reasons
  layout->addLayout(form, 1);
  layout->addLayout(ButtonColumn({cmdOK, cmdCancel, cmdHelp}));
  connect(cmdFind, &QPushButton::clicked, this, &frmSync::cmdFind_Click);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [] { ShowHelpContext(HelpTopic::Sync); });
  SetHelpContext(this, HelpTopic::Sync);
}

bool frmSync::ServerAllowed(const QUrl& url) {
  if (IsSafeServerUrl(url)) return true;
  if (url.scheme() != QLatin1String("http")) return false;
  return ShowMessage(MessageKind::Confirmation,
                     QStringLiteral("%1 is plain HTTP: your password and contacts would cross the network unencrypted. "
                                    "Use it all the same?").arg(url.toString())) == MessageAnswer::Yes;
}

void frmSync::cmdFind_Click() {
  const QString server = txtServer->text();
  const QUrl url = [&server] {
    BusyCursor busy;  // DNS may take a few seconds
    return ServerUrl(server, DnsServices());
  }();
  cboAddressBook->clear();
  found_.clear();
  cmdOK->setEnabled(false);
  if (server.trimmed().isEmpty() || !url.isValid() || !ServerAllowed(url)) {
    lblStatus->setText(QStringLiteral("Type the server's name or address."));
    return;
  }
  try {
    BusyCursor busy;
    const std::unique_ptr<HttpClient> http = makeClient_(txtUser->text(), txtPassword->text());
    found_ = CardDavClient(*http).Discover(url);
  } catch (const SyncFailure& failure) {
    lblStatus->setText(failure.Message);
    return;
  }
  for (const AddressBookInfo& book : found_)
    cboAddressBook->addItem(book.DisplayName.isEmpty() ? book.Url.path() : book.DisplayName);
  lblStatus->setText(found_.empty() ? QStringLiteral("The server offers no address book to this user.")
                    : found_.size() == 1 ? QStringLiteral("Found 1 address book.")
                                         : QStringLiteral("Found %1 address books.").arg(found_.size()));
  cmdOK->setEnabled(!found_.empty());
}

SyncAccount frmSync::Account() const {
  const int chosen = cboAddressBook->currentIndex();
  if (chosen < 0 || static_cast<size_t>(chosen) >= found_.size()) return {};
  return {found_[static_cast<size_t>(chosen)].Url, txtUser->text(), found_[static_cast<size_t>(chosen)].DisplayName};
}

QString frmSync::Password() const { return txtPassword->text(); }

#include "moc_frmSync.cpp"
