#pragma once

#include <functional>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "core/Document.h"
#include "support/PrivateRadicale.h"
#include "sync/SyncEngine.h"

// Counts the requests by method and can act just before the n-th request
// of a method goes out (stop the server, change a card behind the sync's back).
// Answer, where set, may answer a request in the server's stead.
class WatchedHttp : public HttpClient {
 public:
  explicit WatchedHttp(HttpClient& inner) : inner_(inner) {}
  HttpReply Send(const HttpRequest& request) override {
    const int seen = ++Count[request.Method];
    Sent.push_back(request);
    if (request.Method == TriggerMethod && seen == TriggerAt && Trigger) Trigger();
    const std::optional<HttpReply> standIn = Answer ? Answer(request) : std::nullopt;
    return standIn ? *standIn : inner_.Send(request);
  }
  void Abandon() override { inner_.Abandon(); }
  std::map<QByteArray, int> Count;
  QByteArray TriggerMethod;
  int TriggerAt = 0;
  std::function<void()> Trigger;
  std::function<std::optional<HttpReply>(const HttpRequest&)> Answer;
  std::vector<HttpRequest> Sent;

 private:
  HttpClient& inner_;
};

// A Radicale of the test's own with one address book, and books that sync with it.
class SyncTest : public testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_RADICALE(server);
    addressBook = server.AddAddressBook(QStringLiteral("contacts"), QStringLiteral("Contacts"));
  }

  static BookState UnicodeBook() {
    BookState book;
    NewDocument(book);
    book.Edition = BookEdition::Unicode;
    return book;
  }

  static AddressRecord& AddRecord(BookState& book, const char* name, const char* phone) {
    book.Records.emplace_back();
    InitNewRecord(book, book.RecordCount() - 1);
    AddressRecord& record = book.Records.back();
    record.Name = name;
    record.Phones[0] = phone;
    return record;
  }

  // Changes a record as the window does: the value, then the change stamp.
  static void Edit(BookState& book, int index, const std::function<void(AddressRecord&)>& change) {
    change(book.Records.at(static_cast<size_t>(index)));
    StampChange(book, book.Records.at(static_cast<size_t>(index)));
  }

  static const AddressRecord* Named(const BookState& book, const std::string& name) {
    for (const AddressRecord& record : book.Records)
      if (record.Name == name) return &record;
    return nullptr;
  }

  SyncState StateFor(const QUrl& url) {
    SyncState state;
    state.Account = {url, server.User(), {}};
    return state;
  }

  SyncResult Sync(BookState& book, SyncState& state, const SyncOptions& options = {}) {
    WatchedHttp watched(http);
    watched.TriggerMethod = triggerMethod;
    watched.TriggerAt = triggerAt;
    watched.Trigger = trigger;
    watched.Answer = answer;
    CardDavClient client(watched);
    SyncResult result = SyncBook(book, state, client, options);
    requests = watched.Count;
    sent = watched.Sent;
    return result;
  }

  QUrl CardUrl(const char* file) const { return addressBook.resolved(QUrl(QLatin1String(file))); }

  static QByteArray Card(const char* uid, const char* name, const QByteArray& more = {}) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + QByteArray(uid) + "\r\nFN:" + name + "\r\n" + more + "END:VCARD\r\n";
  }

  PrivateRadicale server;
  QtHttpClient http{server.User(), server.Password()};
  QUrl addressBook;
  std::map<QByteArray, int> requests;
  QByteArray triggerMethod;
  int triggerAt = 0;
  std::function<void()> trigger;
  std::function<std::optional<HttpReply>(const HttpRequest&)> answer;
  std::vector<HttpRequest> sent;
};
