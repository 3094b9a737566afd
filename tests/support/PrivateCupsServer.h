#pragma once

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

// Where cups-pdf writes the jobs of users it does not know.
inline const char* const kCupsPdfAnonymousFolder = "/var/spool/cups-pdf/ANONYMOUS";

// A cupsd of the test's own, never the system's: configuration, spool, logs
// and socket in a temporary folder, one cups-pdf queue, stopped when this
// object goes. Problem() says why it cannot be had here; Installed() tells
// whether it should have been (cupsd and cups-pdf are there).
class PrivateCupsServer {
 public:
  // A duplex queue prints both sides: its PPD offers the Duplex option.
  explicit PrivateCupsServer(const QString& queue, bool duplex = false) {
    QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    if (!Installed()) problem_ = QStringLiteral("cupsd or cups-pdf is missing");
    else if (geteuid() != 0) problem_ = QStringLiteral("the cups-pdf backend runs only for root");
    if (!problem_.isEmpty()) return;
    const QString root = folder_.path();
    for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log"}) QDir(root).mkpath(QLatin1String(sub));
    // The filters run as lp and read the queue's PPD below the folder.
    for (const QString& readable : {root, root + "/conf", root + "/conf/ppd"})
      QFile::setPermissions(readable, QFile::permissions(readable) | QFile::ReadOther | QFile::ExeOther);
    Write(root + "/conf/cups-files.conf",
          QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                         "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                         "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                         "SystemGroup root\n").arg(root));
    Write(root + "/conf/cupsd.conf",
          QStringLiteral("Listen %1\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n<Location />\n"
                         "Order allow,deny\nAllow all\n</Location>\n<Policy default>\n<Limit All>\n"
                         "Order deny,allow\n</Limit>\n</Policy>\n").arg(Socket()));
    cupsd_.start("/usr/sbin/cupsd", {"-f", "-c", root + "/conf/cupsd.conf", "-s", root + "/conf/cups-files.conf"});
    QElapsedTimer waited;
    waited.start();
    for (QString state; !Run("lpstat", {"-r"}, &state) || state.trimmed() != "scheduler is running"; QThread::msleep(200))
      if (cupsd_.state() == QProcess::NotRunning || waited.elapsed() > 60000) {
        problem_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(cupsd_.readAllStandardError());
        return;
      }
    if (duplex) ppd = DuplexPpd(ppd);
    if (!Run("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-P", ppd}))
      problem_ = QStringLiteral("the cups-pdf queue could not be made");
  }
  ~PrivateCupsServer() { Stop(); }

  static bool Installed() {
    return QFile::exists(QStringLiteral("/usr/sbin/cupsd")) && QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"));
  }

  // Ends the server, as when the print service is stopped.
  void Stop() {
    if (cupsd_.state() == QProcess::NotRunning) return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) cupsd_.kill();
    cupsd_.waitForFinished(5000);
  }

  QString Problem() const { return problem_; }
  // What CUPS_SERVER must name for a client to reach this server.
  QString Socket() const { return folder_.filePath(QStringLiteral("cups.sock")); }

  // Runs a CUPS command against this server; true when it succeeded.
  bool Run(const QString& command, const QStringList& arguments, QString* output = nullptr) const {
    QProcess tool;
    tool.start(command, QStringList{QStringLiteral("-h"), Socket()} + arguments);
    const bool done = tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (output) *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    return done;
  }

 private:
  QString DuplexPpd(const QString& plain) const {
    QFile original(plain);
    original.open(QIODevice::ReadOnly);
    const QString path = folder_.filePath(QStringLiteral("duplex.ppd"));
    Write(path, QString::fromLatin1(original.readAll()) +
                    QStringLiteral("*OpenUI *Duplex/2-Sided Printing: PickOne\n*OrderDependency: 10 AnySetup *Duplex\n"
                                   "*DefaultDuplex: None\n*Duplex None/Off: \"<</Duplex false>>setpagedevice\"\n"
                                   "*Duplex DuplexNoTumble/Long Edge: \"<</Duplex true/Tumble false>>setpagedevice\"\n"
                                   "*Duplex DuplexTumble/Short Edge: \"<</Duplex true/Tumble true>>setpagedevice\"\n"
                                   "*CloseUI: *Duplex\n"));
    return path;
  }

  static void Write(const QString& path, const QString& text) {
    if (QFile file(path); file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
  }

  QTemporaryDir folder_;
  QProcess cupsd_;
  QString problem_;
};
