#pragma once

#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QUrl>

struct HttpRequest {
  QByteArray Method;
  QUrl Url;
  std::vector<std::pair<QByteArray, QByteArray>> Headers;
  QByteArray Body;
};

// What came back: a status, or (Status 0) why no answer came.
struct HttpReply {
  int Status = 0;
  QByteArray Body;
  QByteArray ETag;
  QByteArray Location;  // of a redirection
  QString Failure;      // offline, refused, timed out, certificate not trusted, ...
  bool Untrusted = false;  // the failure is the server's certificate
};

// Sends HTTP requests with the account's credentials. The sync logic talks
// to the network only through this, so that tests can stand in for it.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual HttpReply Send(const HttpRequest& request) = 0;
  // From any thread: the request in progress and every later one fail at
  // once (a sync abandoned at exit).
  virtual void Abandon() = 0;
};
