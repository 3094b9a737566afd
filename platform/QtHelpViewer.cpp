#include <csignal>

#include <sys/prctl.h>

#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/AssistantHelpViewer.h"
#include "platform/ExitCleanup.h"
#include "platform/ServiceSlot.h"
#include "platform/StandardLocations.h"

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 3000;

// A program with its input on a pipe from this one; what it reports on its
// error output goes to this program's.
class QtViewerProcess : public ViewerProcess {
 public:
  ~QtViewerProcess() override { Stop(); }

  bool Start(const QString& program, const QStringList& arguments, QString& error) override {
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    // The viewer ends with this program on every way out: stopped on exit
    // and by the termination signals, and told by the system should this
    // program be killed outright.
    process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_->start(program, arguments);
    if (process_->waitForStarted(kStartTimeoutMs)) {
      stopAtExit_ = std::make_unique<ScopedExitCleanup>([this] { Stop(); });
      return true;
    }
    error = process_->errorString();
    process_.reset();
    return false;
  }

  bool IsRunning() const override { return process_ && process_->state() == QProcess::Running; }

  // Delivered at once, so that a command sent just before Stop still arrives.
  void Send(const QString& commandLine) override {
    process_->write(commandLine.toUtf8() + '\n');
    process_->waitForBytesWritten(kStartTimeoutMs);
  }

  // Assistant has no command to quit; it ends on the terminate signal.
  void Stop() override {
    if (!process_) return;
    process_->terminate();
    if (!process_->waitForFinished(kStopTimeoutMs)) {
      process_->kill();
      process_->waitForFinished();
    }
    process_.reset();
    stopAtExit_.reset();
  }

 private:
  std::unique_ptr<QProcess> process_;
  std::unique_ptr<ScopedExitCleanup> stopAtExit_;
};

ServiceSlot<HelpViewer> slot([] {
  return std::make_unique<AssistantHelpViewer>(NewViewerProcess(), AssistantProgram(), HelpCollectionPath());
});

}  // namespace

std::unique_ptr<ViewerProcess> NewViewerProcess() { return std::make_unique<QtViewerProcess>(); }

QString AssistantProgram() {
  return QStandardPaths::findExecutable(QStringLiteral("assistant"), {QLibraryInfo::path(QLibraryInfo::BinariesPath)});
}

HelpViewer& Help() { return slot.Get(); }
void InstallHelp(HelpViewer* implementation) { slot.Install(implementation); }
