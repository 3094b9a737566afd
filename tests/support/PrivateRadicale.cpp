#include "support/PrivateRadicale.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>

#include "sync/DavReply.h"

namespace {

constexpr int kStartTimeoutMs = 60000;

int FreePort() {
  QTcpServer probe;
  return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool Answers(int port) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  return socket.waitForConnected(200);
}

}  // namespace

PrivateRadicale::PrivateRadicale() : http_(std::make_unique<QtHttpClient>(User(), Password())) {
  if (!QFile::exists(QStringLiteral("/usr/bin/radicale"))) {
    problem_ = QStringLiteral("/usr/bin/radicale is missing (Debian package radicale)");
    return;
  }
  port_ = FreePort();
  QFile users(folder_.filePath(QStringLiteral("users")));
  users.open(QIODevice::WriteOnly);
  users.write((User() + QLatin1Char(':') + Password() + QLatin1Char('\n')).toUtf8());
  users.close();
  QFile config(folder_.filePath(QStringLiteral("config")));
  config.open(QIODevice::WriteOnly);
  config.write(QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n[auth]\ntype = htpasswd\nhtpasswd_filename = %2\n"
                              "htpasswd_encryption = plain\n[storage]\nfilesystem_folder = %3\n[rights]\ntype = owner_only\n"
                              "[logging]\nlevel = warning\n")
                   .arg(port_).arg(users.fileName(), folder_.filePath(QStringLiteral("storage"))).toUtf8());
  config.close();
  Start();
}

PrivateRadicale::~PrivateRadicale() { Stop(); }

bool PrivateRadicale::Start() {
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.start(QStringLiteral("/usr/bin/radicale"), {QStringLiteral("--config"), folder_.filePath(QStringLiteral("config"))});
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kStartTimeoutMs && process_.state() != QProcess::NotRunning) {
    if (Answers(port_)) return true;
    QThread::msleep(100);
  }
  problem_ = QStringLiteral("radicale did not answer on port %1: %2").arg(port_).arg(QString::fromUtf8(process_.readAll()));
  Stop();
  return false;
}

void PrivateRadicale::Pause() {
  if (process_.state() != QProcess::NotRunning) ::kill(static_cast<pid_t>(process_.processId()), SIGSTOP);
}

void PrivateRadicale::Resume() {
  if (process_.state() != QProcess::NotRunning) ::kill(static_cast<pid_t>(process_.processId()), SIGCONT);
}

void PrivateRadicale::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  Resume();
  process_.terminate();
  if (!process_.waitForFinished(5000)) process_.kill();
  process_.waitForFinished(5000);
}

QUrl PrivateRadicale::Root() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port_)); }

QUrl PrivateRadicale::AddAddressBook(const QString& name, const QString& displayName) {
  const QUrl url = Root().resolved(QUrl(QStringLiteral("/%1/%2/").arg(User(), name)));
  const QByteArray body =
      "<?xml version=\"1.0\"?><mkcol xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><set><prop><resourcetype>"
      "<collection/><C:addressbook/></resourcetype><displayname>" + displayName.toHtmlEscaped().toUtf8() +
      "</displayname></prop></set></mkcol>";
  http_->Send({"MKCOL", url, {{"Content-Type", "application/xml"}}, body});
  return url;
}

QString PrivateRadicale::AddressBookFolder(const QString& name) const {
  return folder_.filePath(QStringLiteral("storage/collection-root/%1/%2").arg(User(), name));
}

QByteArray PrivateRadicale::Get(const QUrl& card) { return http_->Send({"GET", card, {}, {}}).Body; }

int PrivateRadicale::Put(const QUrl& card, const QByteArray& text) {
  return http_->Send({"PUT", card, {{"Content-Type", "text/vcard"}}, text}).Status;
}

int PrivateRadicale::Delete(const QUrl& card) { return http_->Send({"DELETE", card, {}, {}}).Status; }

QStringList PrivateRadicale::CardsIn(const QUrl& book) {
  const HttpReply reply = http_->Send({"PROPFIND", book, {{"Depth", "1"}}, {}});
  QStringList cards;
  for (const DavResponse& response : ParseMultistatus(reply.Body).Responses)
    if (!response.Href.endsWith(QLatin1Char('/'))) cards << book.resolved(QUrl(response.Href)).toString();
  return cards;
}
