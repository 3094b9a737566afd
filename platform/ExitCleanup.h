#pragma once

#include <functional>

// Work that must be undone when the program is ended from outside (a signal,
// the end of the desktop session) while an operation is under way: private
// temporary folders, half-written output files. An operation registers its
// cleanup for as long as it runs; the termination path runs whatever is
// registered, newest first.
class ScopedExitCleanup {
 public:
  explicit ScopedExitCleanup(std::function<void()> action);
  ~ScopedExitCleanup();
  ScopedExitCleanup(const ScopedExitCleanup&) = delete;
  ScopedExitCleanup& operator=(const ScopedExitCleanup&) = delete;

 private:
  int id_;
};

// Runs every registered cleanup once, newest first, and forgets them.
void RunExitCleanups();
