#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that end the program from outside: SIGTERM (log-out, shut-down,
// kill), SIGHUP (its terminal has gone) and SIGINT (Ctrl+C in the terminal).
// A signal handler may do hardly anything, so each signal is written to a
// socket and announced from the event loop, where the program can still save
// what it must.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);

 Q_SIGNALS:
  void Received(int signal);

 private:
  void ReadSignal();

  QSocketNotifier* notifier_;
};

// Makes a write beyond the process's file size limit (ulimit -f) fail with
// EFBIG, as a full disk fails, instead of ending the program with SIGXFSZ.
void IgnoreFileSizeLimitSignal();

// Ends the program as signal would have ended it without a handler.
[[noreturn]] void EndBySignal(int signal);
