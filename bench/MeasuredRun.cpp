#include "bench/MeasuredRun.h"

#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QProcess>

#include "bench/BenchRegistry.h"

extern char** environ;

int MeasureCommand(char* command[]) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  rusage usage{};
  int status = -1;
  const double seconds = SecondsOf([&] {
    if (posix_spawnp(&child, command[0], &actions, nullptr, command, environ) == 0) wait4(child, &status, 0, &usage);
  });
  posix_spawn_file_actions_destroy(&actions);
  std::printf("%.6f %ld\n", seconds, usage.ru_maxrss);  // ru_maxrss is in KiB on Linux
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

ProgramRun RunMeasured(const QStringList& command) {
  QProcess measure;
  measure.start(QCoreApplication::applicationFilePath(), QStringList{QString::fromLatin1(kMeasureOption)} + command);
  ProgramRun run;
  if (!measure.waitForFinished(-1)) return run;
  const QList<QByteArray> figures = measure.readAllStandardOutput().simplified().split(' ');
  if (figures.size() != 2) return run;
  run.Seconds = figures[0].toDouble();
  run.PeakMiB = figures[1].toDouble() / 1024.0;
  run.Ran = measure.exitStatus() == QProcess::NormalExit && measure.exitCode() == 0;
  return run;
}
