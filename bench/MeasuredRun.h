#pragma once

#include <QStringList>

// A program run to its end, with its time and largest resident size.
struct ProgramRun {
  double Seconds = 0;
  double PeakMiB = 0;
  bool Ran = false;  // started and exited with 0
};

// The argument that makes the benchmark program run the command after it
// and print its figures instead of running its steps.
inline constexpr char kMeasureOption[] = "--measure";

// Runs command through a second, small instance of the benchmark program.
// A process started straight from the benchmark would count the
// benchmark's own resident size as its peak: Linux keeps the largest
// resident size of the image a process leaves by exec, and the benchmark
// holds a generated book of 32,767 records.
ProgramRun RunMeasured(const QStringList& command);

// The second instance: runs the command (its output discarded), prints
// "seconds peak-KiB" and returns the command's exit status.
int MeasureCommand(char* command[]);
