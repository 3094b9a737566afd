#include "mainwindow/ImportReading.h"

#include <atomic>
#include <memory>

#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

namespace {

// A read that ends sooner shows no progress dialog at all.
constexpr int kQuietMs = 400;

// What the reading thread hands back; shared, as a cancelled dialog no longer waits for it.
struct Reading {
  ImportSource Source;
  PlatformError Error;
  SourceOutcome Outcome = SourceOutcome::Unreadable;
  std::atomic<bool> Done = false;
};

}  // namespace

std::optional<SourceOutcome> ReadImportSource(QWidget* parent, const QString& path, const QString& progressText,
                                              ImportSource& source, PlatformError& error) {
  auto reading = std::make_shared<Reading>();
  auto promise = std::make_shared<QPromise<void>>();
  QFutureWatcher<void> watcher;
  QProgressDialog progress(progressText, QStringLiteral("Cancel"), 0, 0, parent);
  progress.setObjectName(QStringLiteral("frmImportProgress"));
  progress.setWindowTitle(QStringLiteral("Import"));
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  // Reported by the watcher in this thread's event loops below.
  QEventLoop quiet;
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &quiet, &QEventLoop::quit);
  QObject::connect(&watcher, &QFutureWatcherBase::finished, &progress, &QDialog::accept);
  QObject::connect(&progress, &QProgressDialog::canceled, &progress, &QDialog::reject);
  promise->start();
  watcher.setFuture(promise->future());
  // The program's pool of threads, which is waited for at exit, also for a read the user cancelled.
  QThreadPool::globalInstance()->start([reading, promise, path] {
    reading->Outcome = OpenImportSource(path, reading->Source, reading->Error);
    reading->Done = true;
    promise->finish();
  });
  QTimer::singleShot(kQuietMs, &quiet, &QEventLoop::quit);
  quiet.exec(QEventLoop::ExcludeUserInputEvents);
  if (!reading->Done && progress.exec() != QDialog::Accepted) return std::nullopt;
  source = std::move(reading->Source);
  error = reading->Error;
  return reading->Outcome;
}
