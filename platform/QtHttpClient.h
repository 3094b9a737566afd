#pragma once

#include <atomic>

#include <QNetworkAccessManager>

#include "platform/HttpClient.h"

// HTTP through Qt Network with Basic authentication. Each request waits in
// an event loop of its own, on the thread that made this client (a sync's
// own thread, or the window's for a short request); redirections are
// returned, not followed. Certificates are checked against the system's; a
// failure names the reason.
class QtHttpClient : public HttpClient {
 public:
  QtHttpClient(const QString& user, const QString& password);
  HttpReply Send(const HttpRequest& request) override;
  void Abandon() override;

 private:
  QNetworkAccessManager manager_;
  QByteArray authorization_;
  QNetworkReply* current_ = nullptr;  // used on the client's own thread only
  std::atomic<bool> abandoned_ = false;
};
