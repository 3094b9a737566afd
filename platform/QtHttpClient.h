#pragma once

#include <QNetworkAccessManager>

#include "platform/HttpClient.h"

// HTTP through Qt Network with Basic authentication. Each request waits in
// an event loop of its own, so that windows keep repainting and answering
// meanwhile; redirections are returned, not followed. Certificates are
// checked against the system's; a failure names the reason.
class QtHttpClient : public HttpClient {
 public:
  QtHttpClient(const QString& user, const QString& password);
  HttpReply Send(const HttpRequest& request) override;
  // Abandons the request in progress (at exit); it then fails.
  void Abandon();

 private:
  QNetworkAccessManager manager_;
  QByteArray authorization_;
  QNetworkReply* current_ = nullptr;
};
