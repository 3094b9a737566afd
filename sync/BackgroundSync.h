#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include <QObject>

#include "platform/ExitCleanup.h"
#include "sync/SyncEngine.h"

class QThread;

// A sync on a thread of its own, working on copies of the book and of its
// sync state, so that the window stays usable meanwhile. Progress, the first
// sync's plan and each same-field conflict come to the thread that made this
// object as signals; the sync waits for Confirm or Resolve. Abandon (also on
// destruction and on the termination path) stops the network, joins the
// thread and drops the outcome: book and saved state stay as they were.
class BackgroundSync : public QObject {
  Q_OBJECT

 public:
  // Makes the sync's HTTP client, on the sync's own thread.
  using ClientMaker = std::function<std::unique_ptr<HttpClient>()>;

  BackgroundSync(const BookState& book, const SyncState& state, ClientMaker makeClient, QObject* parent = nullptr);
  ~BackgroundSync() override;

  void Start();
  void Abandon();

  // The answers the sync waits for after FirstSyncPlanned and ConflictFound.
  void Confirm(bool go) { Answer(go ? 1 : 0); }
  void Resolve(ConflictChoice choice) { Answer(static_cast<int>(choice)); }

  // After Finished: the book as the sync found it, and the outcome.
  const BookState& Before() const { return before_; }
  const BookState& Synced() const { return synced_; }
  const SyncState& State() const { return state_; }
  const SyncResult& Result() const { return result_; }

 Q_SIGNALS:
  void Progressed(SyncProgress progress);
  void FirstSyncPlanned(SyncPlan plan);
  void ConflictFound(FieldConflict conflict);
  void Finished();

 private:
  void Work();
  void Join();
  SyncOptions Options();
  // Hands signal to the object's own thread, then waits for the answer;
  // throws a SyncFailure when the sync is abandoned meanwhile.
  int Ask(const std::function<void()>& signal);
  void Answer(int answer);
  // Runs emit on the object's own thread unless the sync was abandoned.
  void Post(std::function<void()> emit);

  const BookState before_;
  BookState synced_;
  SyncState state_;
  SyncResult result_;
  ClientMaker makeClient_;
  QThread* thread_ = nullptr;
  std::unique_ptr<ScopedExitCleanup> cleanup_;

  std::mutex mutex_;  // guards what follows, shared with the sync's thread
  std::condition_variable answered_;
  std::optional<int> answer_;
  bool abandoned_ = false;
  HttpClient* client_ = nullptr;
};
