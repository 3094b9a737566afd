#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/BookState.h"

// One step of the benchmark: it is handed the generated book and returns the
// seconds its measured part took.
struct BenchStep {
  std::string Name;
  double TargetSeconds;
  std::function<double(BookState& book)> Run;
};

std::vector<BenchStep>& BenchSteps();

// Registers a step at start-up: static RegisterBenchStep sort{"sort", 1.0, [](BookState& b) {...}};
struct RegisterBenchStep {
  RegisterBenchStep(std::string name, double targetSeconds, std::function<double(BookState&)> run);
};

// Seconds taken by work.
double SecondsOf(const std::function<void()>& work);
