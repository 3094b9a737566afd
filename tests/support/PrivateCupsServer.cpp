#include "support/PrivateCupsServer.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

namespace {

const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

void Write(const QString& path, const QString& text) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
}

}  // namespace

PrivateCupsServer::PrivateCupsServer(const QString& queue) {
  for (const char* needed : {"/usr/sbin/cupsd", "/usr/lib/cups/backend/cups-pdf", "/usr/sbin/lpadmin"})
    if (!QFile::exists(QLatin1String(needed))) problem_ = QLatin1String(needed) + QStringLiteral(" is missing");
  if (!QFile::exists(kPpd)) problem_ = kPpd + QStringLiteral(" is missing");
  if (geteuid() != 0) problem_ = QStringLiteral("the cups-pdf backend runs only for root");
  if (!problem_.isEmpty()) return;
  const QString root = folder_.path();
  for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log"}) QDir(root).mkpath(QLatin1String(sub));
  // The filters run as lp and read the queue's PPD below the folder.
  for (const QString& readable : {root, root + "/conf", root + "/conf/ppd"})
    QFile::setPermissions(readable, QFile::permissions(readable) | QFile::ReadOther | QFile::ExeOther);
  Write(root + "/conf/cups-files.conf",
        QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                       "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                       "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\nSystemGroup root\n")
            .arg(root));
  Write(root + "/conf/cupsd.conf",
        QStringLiteral("Listen %1\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n"
                       "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                       "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
            .arg(Socket()));
  cupsd_.start(QStringLiteral("/usr/sbin/cupsd"), {"-f", "-c", root + "/conf/cupsd.conf", "-s",
                                                   root + "/conf/cups-files.conf"});
  QElapsedTimer waited;
  waited.start();
  QString state;
  while (!Run(QStringLiteral("lpstat"), {"-r"}, &state) || state.trimmed() != "scheduler is running") {
    if (cupsd_.state() == QProcess::NotRunning || waited.elapsed() > 15000) {
      problem_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(cupsd_.readAllStandardError());
      return;
    }
    QThread::msleep(200);
  }
  if (!Run(QStringLiteral("lpadmin"), {"-p", queue, "-E", "-v", "cups-pdf:/", "-P", kPpd}))
    problem_ = QStringLiteral("the cups-pdf queue could not be made");
}

PrivateCupsServer::~PrivateCupsServer() {
  if (cupsd_.state() == QProcess::NotRunning) return;
  cupsd_.terminate();
  if (!cupsd_.waitForFinished(10000)) cupsd_.kill();
  cupsd_.waitForFinished(5000);
}

bool PrivateCupsServer::Run(const QString& command, const QStringList& arguments, QString* output) {
  QProcess tool;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CUPS_SERVER"), Socket());
  tool.setProcessEnvironment(environment);
  tool.start(command, arguments);
  const bool done = tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
  if (output) *output = QString::fromLocal8Bit(tool.readAllStandardOutput());
  return done;
}
