#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// An HTTPS server of the test's own that nobody trusts: `openssl s_server`
// on a free local port with a self-signed certificate for "localhost" made
// in a private folder, stopped when this object goes. Problem() says why it
// could not be started here.
class PrivateTlsServer {
 public:
  PrivateTlsServer();
  ~PrivateTlsServer();

  QString Problem() const { return problem_; }
  QUrl Root() const;

 private:
  bool Run(const QStringList& arguments);

  QTemporaryDir folder_;
  QProcess process_;
  int port_ = 0;
  QString problem_;
};
