#include "mainwindow/ImportReplanner.h"

#include <QPromise>
#include <QThreadPool>

ImportReplanner::ImportReplanner(Preparation prepare, QObject* parent) : QObject(parent), prepare_(std::move(prepare)) {
  connect(&watcher_, &QFutureWatcherBase::finished, this, &ImportReplanner::Done);
}

ImportReplanner::~ImportReplanner() { watcher_.waitForFinished(); }

void ImportReplanner::Request() {
  waiting_ = true;
  if (!running_) Start();
}

void ImportReplanner::Finish() {
  while (running_) {
    watcher_.waitForFinished();
    Done();
  }
}

void ImportReplanner::Start() {
  waiting_ = false;
  running_ = true;
  auto result = std::make_shared<ImportPlan>();
  result_ = result;
  auto promise = std::make_shared<QPromise<void>>();
  promise->start();
  watcher_.setFuture(promise->future());  // a finish of the work before, not yet reported, is dropped
  QThreadPool::globalInstance()->start([work = prepare_(), result, promise] {
    *result = work();
    promise->finish();
  });
}

void ImportReplanner::Done() {
  if (!running_) return;  // already taken by Finish
  running_ = false;
  if (waiting_) return Start();
  Q_EMIT Planned(std::move(result_));
}

#include "moc_ImportReplanner.cpp"
