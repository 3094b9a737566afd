#pragma once

#include <memory>

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/QtHttpClient.h"

// A Radicale CardDAV server of the test's own: a free local port, its own
// storage folder and htpasswd user, stopped when this object goes.
// Problem() says why it could not be started here.
class PrivateRadicale {
 public:
  PrivateRadicale();
  ~PrivateRadicale();

  QString Problem() const { return problem_; }
  // Stops the server; Start() brings it back on the same port and storage.
  void Stop();
  bool Start();
  // Freezes the server (SIGSTOP): it takes connections but answers nothing
  // until Resume(), so that a sync stays in progress for as long as a test needs.
  void Pause();
  void Resume();

  QUrl Root() const;
  QString User() const { return QStringLiteral("alice"); }
  QString Password() const { return QStringLiteral("secret"); }
  // Creates an address book of the user; its URL.
  QUrl AddAddressBook(const QString& name, const QString& displayName);

  // The folder where the server keeps the address book's cards, one file
  // each: a quick way to fill a large address book.
  QString AddressBookFolder(const QString& name) const;

  // Direct access, as another device would have it.
  QByteArray Get(const QUrl& card);
  int Put(const QUrl& card, const QByteArray& text);
  int Delete(const QUrl& card);
  QStringList CardsIn(const QUrl& book);  // the card URLs

 private:
  QTemporaryDir folder_;
  QProcess process_;
  int port_ = 0;
  QString problem_;
  std::unique_ptr<QtHttpClient> http_;
};

// Skips the test (or fails it where CI is set and radicale is installed)
// when the server cannot run here.
#define REQUIRE_RADICALE(server)                                                                   \
  do {                                                                                             \
    if (!(server).Problem().isEmpty()) {                                                           \
      if (qEnvironmentVariableIsSet("CI") && QFile::exists(QStringLiteral("/usr/bin/radicale")))   \
        FAIL() << "Radicale did not start: " << (server).Problem().toStdString();                  \
      GTEST_SKIP() << "SKIPPED LOUDLY: no Radicale server: " << (server).Problem().toStdString();  \
    }                                                                                              \
  } while (false)
