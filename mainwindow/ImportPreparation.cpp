#include "mainwindow/ImportPreparation.h"

#include <atomic>
#include <memory>

#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

namespace {

// Work that ends sooner shows no progress dialog at all.
constexpr int kQuietMs = 400;

// What the worker hands back; shared, as a cancelled dialog no longer waits for it.
struct Preparation {
  PreparedImport Result;
  std::atomic<bool> Done = false;
};

void Prepare(Preparation& preparation, QPromise<void>& promise, const QStringList& paths, const BookState& book) {
  PreparedImport& result = preparation.Result;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    // Each step a value higher than the last, as a promise reports no other.
    promise.setProgressValueAndText(static_cast<int>(i) + 1, QStringLiteral("Reading '%1' (file %2 of %3)...")
                                                             .arg(QFileInfo(paths[i]).fileName())
                                                             .arg(i + 1)
                                                             .arg(paths.size()));
    ImportSource source;
    const SourceOutcome outcome = OpenImportSource(paths[i], source, result.Error);
    if (outcome != SourceOutcome::Read) {
      result.FailedFile = paths[i];
      result.Failure = outcome;
      return;
    }
    result.Sources.push_back(std::move(source));
  }
  promise.setProgressValueAndText(static_cast<int>(paths.size()) + 1,
                                  QStringLiteral("Working out what the import will change..."));
  result.Plan = PlanImport(book, result.Sources, true);
}

}  // namespace

std::optional<PreparedImport> PrepareImport(QWidget* parent, const QStringList& paths, const BookState& book) {
  auto preparation = std::make_shared<Preparation>();
  auto promise = std::make_shared<QPromise<void>>();
  auto copy = std::make_shared<const BookState>(book);  // the book may change once the user has cancelled
  QFutureWatcher<void> watcher;
  const int steps = static_cast<int>(paths.size()) + 1;
  QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, steps, parent);
  progress.setObjectName(QStringLiteral("frmImportProgress"));
  progress.setWindowTitle(QStringLiteral("Import"));
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  // Reported by the watcher in this thread's event loops below.
  QEventLoop quiet;
  QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged, &progress, &QProgressDialog::setValue);
  QObject::connect(&watcher, &QFutureWatcherBase::progressTextChanged, &progress, &QProgressDialog::setLabelText);
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &quiet, &QEventLoop::quit);
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &progress, &QDialog::accept);
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, &QDialog::reject);
  promise->setProgressRange(0, steps);
  promise->start();
  watcher.setFuture(promise->future());
  // The program's pool of threads, which is waited for at exit, also for work the user cancelled.
  QThreadPool::globalInstance()->start([preparation, promise, paths, copy] {
    Prepare(*preparation, *promise, paths, *copy);
    preparation->Done = true;
    promise->finish();
  });
  QTimer::singleShot(kQuietMs, &quiet, &QEventLoop::quit);
  quiet.exec(QEventLoop::ExcludeUserInputEvents);
  if (!preparation->Done && progress.exec() != QDialog::Accepted) return std::nullopt;
  return std::move(preparation->Result);
}
