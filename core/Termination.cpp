#include "core/Termination.h"

#include <QCoreApplication>

#include "core/RecoveryFile.h"
#include "platform/ExitCleanup.h"
#include "platform/UnixSignals.h"

void EndSafelyWhenTerminated(BookState& book) {
  IgnoreFileSizeLimitSignal();
  auto* signals = new TerminationSignals(QCoreApplication::instance());
  QObject::connect(signals, &TerminationSignals::Received, [&book](int signal) {
    KeepChangesForRecovery(book);
    RunExitCleanups();
    EndBySignal(signal);
  });
}
