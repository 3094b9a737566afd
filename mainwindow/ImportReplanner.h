#pragma once

#include <functional>
#include <memory>

#include <QFutureWatcher>
#include <QObject>

#include "interchange/ImportPlan.h"

// Works the plan of an import out again beside the window's own work, so
// that the import dialog keeps answering while a large file is planned. One
// plan is worked out at a time; requests made meanwhile are taken up as one
// when it is done, and a plan overtaken by them is never shown.
class ImportReplanner : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<ImportPlan()>;
  // Called here just before the work starts, when nothing else reads what
  // it changes: brings the sources up to date and returns the work.
  using Preparation = std::function<Work()>;

  explicit ImportReplanner(Preparation prepare, QObject* parent = nullptr);
  ~ImportReplanner() override;  // waits for the work under way, which reads the sources

  void Request();
  bool Busy() const { return running_ || waiting_; }
  // Waits until the newest request has been planned and handed over.
  void Finish();

 Q_SIGNALS:
  void Planned(std::shared_ptr<ImportPlan> plan);

 private:
  void Start();
  void Done();

  Preparation prepare_;
  QFutureWatcher<void> watcher_;
  std::shared_ptr<ImportPlan> result_;
  bool running_ = false;
  bool waiting_ = false;  // a request not yet started
};
