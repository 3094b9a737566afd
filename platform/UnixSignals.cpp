#include "platform/UnixSignals.h"

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

// The two ends of the socket pair: the handler writes to 0, the event loop reads 1.
int signalSocket[2] = {-1, -1};

void WriteSignal(int signal) {
  const int savedErrno = errno;
  if (::write(signalSocket[0], &signal, sizeof signal) < 0) {
    // Nothing can be done about it inside a signal handler.
  }
  errno = savedErrno;
}

void HandleWith(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (signalSocket[0] < 0) ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket);
  notifier_ = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) HandleWith(signal, WriteSignal);
}

void TerminationSignals::ReadSignal() {
  int signal = 0;
  if (::read(signalSocket[1], &signal, sizeof signal) == sizeof signal) Q_EMIT Received(signal);
}

void IgnoreFileSizeLimitSignal() { HandleWith(SIGXFSZ, SIG_IGN); }

void EndBySignal(int signal) {
  HandleWith(signal, SIG_DFL);
  ::raise(signal);
  ::_exit(128 + signal);
}

#include "moc_UnixSignals.cpp"
