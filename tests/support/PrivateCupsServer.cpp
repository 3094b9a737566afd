#include "support/PrivateCupsServer.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

void WriteText(const QString& path, const QString& text) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
}

}  // namespace

PrivateCupsServer::PrivateCupsServer(const QString& queue) {
  for (const QString& needed : {kCupsd, kBackend, kPpd})
    if (!QFileInfo::exists(needed)) problem_ = needed + QStringLiteral(" is not installed");
  if (problem_.isEmpty() && geteuid() != 0) problem_ = QStringLiteral("the cups-pdf backend runs only for root");
  if (problem_.isEmpty()) Start(queue);
}

PrivateCupsServer::~PrivateCupsServer() {
  if (cupsd_.state() == QProcess::NotRunning) return;
  cupsd_.terminate();
  if (!cupsd_.waitForFinished(10000)) cupsd_.kill();
  cupsd_.waitForFinished(5000);
}

void PrivateCupsServer::WriteConfiguration() {
  const QString root = folder_.path();
  for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log"}) QDir(root).mkpath(QLatin1String(sub));
  // The filters run as lp and read the queue's PPD below the folder.
  for (const char* readable : {"", "conf", "conf/ppd"})
    QFile::setPermissions(QDir(root).filePath(QLatin1String(readable)),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  WriteText(root + QStringLiteral("/conf/cups-files.conf"),
            QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                           "StateDir %1/state\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                           "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                           "Group lp\nSystemGroup root\n")
                .arg(root));
  WriteText(root + QStringLiteral("/conf/cupsd.conf"),
            QStringLiteral("Listen %1\nBrowsing Off\nWebInterface No\nDefaultAuthType None\nLogLevel warn\n"
                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                           "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                .arg(Socket()));
}

void PrivateCupsServer::Start(const QString& queue) {
  WriteConfiguration();
  const QString conf = folder_.filePath(QStringLiteral("conf"));
  cupsd_.start(kCupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf + QStringLiteral("/cupsd.conf"),
                        QStringLiteral("-s"), conf + QStringLiteral("/cups-files.conf")});
  QElapsedTimer waited;
  waited.start();
  QString state;
  while (!Run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &state) ||
         state.trimmed() != QLatin1String("scheduler is running")) {
    if (cupsd_.state() == QProcess::NotRunning || waited.elapsed() > 15000) {
      problem_ = QStringLiteral("cupsd did not start: ") + QString::fromLocal8Bit(cupsd_.readAllStandardError());
      return;
    }
    QThread::msleep(200);
  }
  if (!Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                       QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), kPpd}))
    problem_ = QStringLiteral("the cups-pdf queue could not be made");
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
