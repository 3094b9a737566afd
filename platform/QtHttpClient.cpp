#include "platform/QtHttpClient.h"

#include <QBuffer>
#include <QEventLoop>
#include <QNetworkReply>
#include <QSslError>

namespace {

// A server may think for a long while before the first byte of a large
// address book's listing.
constexpr int kTransferTimeoutMs = 300000;

const QString kStopped = QStringLiteral("The sync was stopped.");

QString CertificateFailure(const QList<QSslError>& errors) {
  QStringList reasons;
  for (const QSslError& error : errors) reasons << error.errorString();
  return QStringLiteral("The server's certificate is not trusted: %1.").arg(reasons.join(QStringLiteral("; ")));
}

}  // namespace

QtHttpClient::QtHttpClient(const QString& user, const QString& password)
    : authorization_("Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64()) {
  manager_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

HttpReply QtHttpClient::Send(const HttpRequest& request) {
  if (abandoned_) return {0, {}, {}, {}, kStopped, false};
  QNetworkRequest networkRequest(request.Url);
  networkRequest.setTransferTimeout(kTransferTimeoutMs);
  networkRequest.setRawHeader("Authorization", authorization_);
  for (const auto& [name, value] : request.Headers) networkRequest.setRawHeader(name, value);
  QBuffer body;
  body.setData(request.Body);
  body.open(QIODevice::ReadOnly);
  QNetworkReply* reply = manager_.sendCustomRequest(networkRequest, request.Method, &body);
  current_ = reply;
  QString certificateFailure;
  QObject::connect(reply, &QNetworkReply::sslErrors, reply,
                   [&certificateFailure](const QList<QSslError>& errors) { certificateFailure = CertificateFailure(errors); });
  QEventLoop loop;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  current_ = nullptr;
  HttpReply result;
  result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  result.Body = reply->readAll();
  result.ETag = reply->rawHeader("ETag");
  result.Location = reply->rawHeader("Location");
  if (result.Status == 0)
    result.Failure = abandoned_ ? kStopped : !certificateFailure.isEmpty() ? certificateFailure : reply->errorString();
  result.Untrusted = result.Status == 0 && !abandoned_ && !certificateFailure.isEmpty();
  reply->deleteLater();
  return result;
}

// The abort runs on the client's own thread, inside the event loop that
// waits for the request; a request not yet sent sees the flag.
void QtHttpClient::Abandon() {
  abandoned_ = true;
  QMetaObject::invokeMethod(&manager_, [this] { if (current_) current_->abort(); }, Qt::QueuedConnection);
}
