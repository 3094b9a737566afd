#include "bench/BenchRegistry.h"

#include <chrono>

std::vector<BenchStep>& BenchSteps() {
  static std::vector<BenchStep> steps;
  return steps;
}

RegisterBenchStep::RegisterBenchStep(std::string name, double targetSeconds,
                                     std::function<double(BookState&)> run) {
  BenchSteps().push_back({std::move(name), targetSeconds, std::move(run)});
}

double SecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
