#include "sync/BackgroundSync.h"

#include <QThread>

#include "sync/SyncFailure.h"

BackgroundSync::BackgroundSync(const BookState& book, const SyncState& state, ClientMaker makeClient, QObject* parent)
    : QObject(parent), before_(book), synced_(book), state_(state), makeClient_(std::move(makeClient)) {}

BackgroundSync::~BackgroundSync() { Abandon(); }

void BackgroundSync::Start() {
  cleanup_ = std::make_unique<ScopedExitCleanup>([this] { Abandon(); });
  thread_ = QThread::create([this] { Work(); });
  thread_->start();
}

void BackgroundSync::Abandon() {
  {
    const std::lock_guard lock(mutex_);
    abandoned_ = true;
    if (client_) client_->Abandon();
  }
  answered_.notify_all();
  Join();
}

void BackgroundSync::Join() {
  if (thread_) thread_->wait();
  delete thread_;
  thread_ = nullptr;
  cleanup_.reset();
}

void BackgroundSync::Post(std::function<void()> emit) {
  QMetaObject::invokeMethod(this, [this, emit = std::move(emit)] {
    if (!abandoned_) emit();
  }, Qt::QueuedConnection);
}

int BackgroundSync::Ask(const std::function<void()>& signal) {
  std::unique_lock lock(mutex_);
  answer_.reset();
  Post(signal);
  answered_.wait(lock, [this] { return answer_.has_value() || abandoned_; });
  if (abandoned_) throw SyncFailure{QStringLiteral("The sync was stopped.")};
  return *answer_;
}

void BackgroundSync::Answer(int answer) {
  {
    const std::lock_guard lock(mutex_);
    answer_ = answer;
  }
  answered_.notify_all();
}

SyncOptions BackgroundSync::Options() {
  SyncOptions options;
  options.Progress = [this](const SyncProgress& progress) { Post([this, progress] { Q_EMIT Progressed(progress); }); };
  options.ConfirmFirstSync = [this](const SyncPlan& plan) { return Ask([this, plan] { Q_EMIT FirstSyncPlanned(plan); }) != 0; };
  options.Resolve = [this](const FieldConflict& conflict) {
    return static_cast<ConflictChoice>(Ask([this, conflict] { Q_EMIT ConflictFound(conflict); }));
  };
  return options;
}

void BackgroundSync::Work() {
  std::unique_ptr<HttpClient> client = makeClient_();
  {
    const std::lock_guard lock(mutex_);
    client_ = client.get();
    if (abandoned_) client->Abandon();
  }
  CardDavClient dav(*client);
  result_ = SyncBook(synced_, state_, dav, Options());
  {
    const std::lock_guard lock(mutex_);
    client_ = nullptr;
  }
  Post([this] {
    Join();
    Q_EMIT Finished();
  });
}

#include "moc_BackgroundSync.cpp"
