#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A cupsd of the test's own, never the system's: its configuration, spool,
// logs and socket in a temporary folder, with one cups-pdf queue, stopped
// when this object goes. Problem() says why it could not be had here (no
// cupsd, no cups-pdf, not root as the cups-pdf backend needs).
class PrivateCupsServer {
 public:
  explicit PrivateCupsServer(const QString& queue);
  ~PrivateCupsServer();
  PrivateCupsServer(const PrivateCupsServer&) = delete;
  PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

  QString Problem() const { return problem_; }
  // What CUPS_SERVER must name for a client to reach this server.
  QString Socket() const { return folder_.filePath(QStringLiteral("cups.sock")); }
  // Runs a CUPS command (lpadmin, cupsreject ...) against this server;
  // true when it succeeded. output receives what it printed.
  bool Run(const QString& command, const QStringList& arguments, QString* output = nullptr);

 private:
  void Start(const QString& queue);
  void WriteConfiguration();

  QTemporaryDir folder_;
  QProcess cupsd_;
  QString problem_;
};

// The folder cups-pdf writes the jobs of users it does not know into.
inline const char* const kCupsPdfAnonymousFolder = "/var/spool/cups-pdf/ANONYMOUS";
