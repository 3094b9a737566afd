#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A cupsd of the test's own, never the system's: configuration, spool, logs
// and socket in a temporary folder, one cups-pdf queue, stopped when this
// object goes. Problem() says why it cannot be had here.
class PrivateCupsServer {
 public:
  explicit PrivateCupsServer(const QString& queue);
  ~PrivateCupsServer();

  QString Problem() const { return problem_; }
  // What CUPS_SERVER must name for a client to reach this server.
  QString Socket() const { return folder_.filePath(QStringLiteral("cups.sock")); }
  // Runs a CUPS command against this server; true when it succeeded.
  bool Run(const QString& command, const QStringList& arguments, QString* output = nullptr);

 private:
  QTemporaryDir folder_;
  QProcess cupsd_;
  QString problem_;
};

// Where cups-pdf writes the jobs of users it does not know.
inline const char* const kCupsPdfAnonymousFolder = "/var/spool/cups-pdf/ANONYMOUS";
