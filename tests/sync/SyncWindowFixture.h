#pragma once

#include <map>

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/DataFile.h"
#include "core/ProgramSettings.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmSync.h"
#include "platform/Keyring.h"
#include "support/ModalDialogs.h"
#include "support/WindowKeys.h"
#include "sync/SyncFixture.h"

// A keyring that keeps passwords in memory.
class MemoryKeyring : public Keyring {
 public:
  bool Read(const QString& key, QString& password, QString& error) override {
    if (!passwords.contains(key)) return error = QStringLiteral("no password"), false;
    password = passwords.at(key);
    return true;
  }
  bool Write(const QString& key, const QString& password, QString&) override {
    passwords[key] = password;
    return true;
  }
  std::map<QString, QString> passwords;
};

// Types the server and the account into the account dialog and searches for address books.
inline void FindAddressBooks(frmSync& account, const QString& server, const QString& user, const QString& password) {
  account.txtServer->setText(server);
  account.txtUser->setText(user);
  account.txtPassword->setText(password);
  account.cmdFind->click();
}

// The main window on a saved Unicode book, syncing with the test's Radicale;
// passwords are kept in a keyring of the test's own.
class SyncWindowTest : public SyncTest {
 protected:
  void SetUp() override {
    SyncTest::SetUp();
    InstallKeyring(&keyring);
    book = UnicodeBook();
    book.FileName = dir.filePath(QStringLiteral("book.dat"));
    ASSERT_TRUE(SaveDocument(book).Succeeded());
    OpenWindow();
  }
  void TearDown() override { InstallKeyring(nullptr); }

  void OpenWindow(const QString& commandLine = {}) {
    window.reset();  // lets go of the book's file first
    window = std::make_unique<frmMain>(book, settings, commandLine);
    window->SetStatusPanes();
    if (!commandLine.isEmpty()) window->Form_Load();
    ShowActive(*window);
  }

  // Waits for the sync in the background to end (a safety limit only).
  bool WaitForSync() const {
    return QTest::qWaitFor([this] { return !window->IsSyncing(); }, 120000);
  }

  // File, Sync on a book without an account: the account dialog, with
  // choose setting its options, then the first sync's preview, accepted.
  void SetUpAccount(const std::function<void(frmSync&)>& choose = {}) {
    WhenModalShown([&](QDialog& dialog) {
      auto& account = dynamic_cast<frmSync&>(dialog);
      FindAddressBooks(account, server.Root().toString(), server.User(), server.Password());
      if (choose) choose(account);
      WhenModalShown([](QDialog& preview) { preview.accept(); });
      account.cmdOK->click();
    });
    window->mnuFileSync->trigger();
    ASSERT_TRUE(WaitForSync());
  }

  QTemporaryDir dir;
  BookState book;
  ProgramSettings settings;
  MemoryKeyring keyring;
  std::unique_ptr<frmMain> window;
};
