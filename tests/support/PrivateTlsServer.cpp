#include "support/PrivateTlsServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 15000;
const QString kOpenSsl = QStringLiteral("/usr/bin/openssl");

}  // namespace

PrivateTlsServer::PrivateTlsServer() {
  if (!QFile::exists(kOpenSsl)) {
    problem_ = QStringLiteral("/usr/bin/openssl is missing (Debian package openssl)");
    return;
  }
  const QString key = folder_.filePath(QStringLiteral("key.pem")), certificate = folder_.filePath(QStringLiteral("certificate.pem"));
  if (!Run({QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"), QStringLiteral("-nodes"),
            QStringLiteral("-subj"), QStringLiteral("/CN=localhost"), QStringLiteral("-days"), QStringLiteral("1"),
            QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate}))
    return;
  QTcpServer probe;
  port_ = probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
  probe.close();
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.start(kOpenSsl, {QStringLiteral("s_server"), QStringLiteral("-quiet"), QStringLiteral("-www"), QStringLiteral("-accept"),
                            QStringLiteral("127.0.0.1:%1").arg(port_), QStringLiteral("-cert"), certificate, QStringLiteral("-key"), key});
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kStartTimeoutMs && process_.state() != QProcess::NotRunning) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port_));
    if (socket.waitForConnected(200)) return;
    QThread::msleep(100);
  }
  problem_ = QStringLiteral("openssl s_server did not answer on port %1: %2").arg(port_).arg(QString::fromUtf8(process_.readAll()));
}

PrivateTlsServer::~PrivateTlsServer() {
  process_.kill();
  process_.waitForFinished(5000);
}

bool PrivateTlsServer::Run(const QStringList& arguments) {
  QProcess openssl;
  openssl.setProcessChannelMode(QProcess::MergedChannels);
  openssl.start(kOpenSsl, arguments);
  if (openssl.waitForFinished(60000) && openssl.exitStatus() == QProcess::NormalExit && openssl.exitCode() == 0) return true;
  problem_ = QStringLiteral("openssl %1 failed: %2").arg(arguments.first(), QString::fromUtf8(openssl.readAll()));
  return false;
}

QUrl PrivateTlsServer::Root() const { return QUrl(QStringLiteral("https://localhost:%1/").arg(port_)); }
