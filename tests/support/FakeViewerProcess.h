#pragma once

#include "platform/AssistantHelpViewer.h"

// Records how the help viewer was started and what it was sent; fails to
// start with startError when that is set.
class FakeViewerProcess : public ViewerProcess {
 public:
  bool Start(const QString& startedProgram, const QStringList& startArguments, QString& error) override {
    program = startedProgram;
    arguments = startArguments;
    error = startError;
    return running = startError.isEmpty();
  }
  bool IsRunning() const override { return running; }
  void Send(const QString& commandLine) override { sent << commandLine; }
  void Stop() override { running = false; }

  QString startError, program;
  QStringList arguments, sent;
  bool running = false;
};
