#include <cstdio>
#include <cstring>

#include <sys/resource.h>

#include <QApplication>
#include <QStandardPaths>

#include "bench/BenchRegistry.h"
#include "bench/GeneratedBook.h"
#include "bench/MeasuredRun.h"

namespace {

constexpr double kMemoryTargetMiB = 200.0;

// The largest resident size the process has had, in MiB.
double PeakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

// Runs every registered step (or those whose names hold the text given as
// the argument) on a generated book of 32,767 records and prints one table;
// each step gets a fresh copy of the book. With --measure, runs the command
// after it for a step that measures another program.
int main(int argc, char* argv[]) {
  if (argc > 2 && std::strcmp(argv[1], kMeasureOption) == 0) return MeasureCommand(argv + 2);
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  const BookState generated = GenerateBook(kMaxRecords);
  std::printf("%-36s %10s %10s  %s\n", "step (32,767 records)", "seconds", "target", "");
  bool allMet = true;
  const QString only = QApplication::arguments().value(1);
  for (const BenchStep& step : BenchSteps()) {
    if (!QString::fromStdString(step.Name).contains(only)) continue;
    BookState book = generated;
    const double seconds = step.Run(book);
    const bool met = seconds < step.TargetSeconds;
    allMet = allMet && met;
    std::printf("%-36s %10.3f %10.3f  %s\n", step.Name.c_str(), seconds, step.TargetSeconds, met ? "ok" : "SLOW");
  }
  const double peakMiB = PeakMemoryMiB();
  const bool memoryMet = peakMiB < kMemoryTargetMiB;
  std::printf("%-36s %10.1f %10.1f  %s\n", "peak memory (MiB)", peakMiB, kMemoryTargetMiB, memoryMet ? "ok" : "LARGE");
  return allMet && memoryMet ? 0 : 1;
}
