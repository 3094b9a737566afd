#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "mainwindow/SyncOptionBoxes.h"
#include "platform/HttpClient.h"
#include "sync/CardDavClient.h"
#include "sync/SyncState.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Sets up the book's sync account: server (a host name or URL), user name
// and password; Find Address Books asks the server for the user's address
// books, and the user picks one. Plain HTTP is offered only to this
// computer, or after a warning. OK keeps the account; the caller syncs.
class frmSync : public QDialog {
  Q_OBJECT

 public:
  using ClientMaker = std::function<std::unique_ptr<HttpClient>(const QString& user, const QString& password)>;
  frmSync(ClientMaker makeClient, QWidget* parent = nullptr);

  QLineEdit* txtServer;
  QLineEdit* txtUser;
  QLineEdit* txtPassword;
  QPushButton* cmdFind;
  QComboBox* cboAddressBook;
  SyncOptionBoxes Options;
  QLabel* lblStatus;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;

  SyncAccount Account() const;
  QString Password() const;

  void cmdFind_Click();

 private:
  bool ServerAllowed(const QUrl& url);

  ClientMaker makeClient_;
  std::vector<AddressBookInfo> found_;
};
