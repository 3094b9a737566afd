#include "platform/ExitCleanup.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct Registered {
  int id;
  std::function<void()> action;
};

std::vector<Registered>& Cleanups() {
  static std::vector<Registered> cleanups;
  return cleanups;
}

}  // namespace

ScopedExitCleanup::ScopedExitCleanup(std::function<void()> action) {
  static int nextId = 0;
  id_ = ++nextId;
  Cleanups().push_back({id_, std::move(action)});
}

ScopedExitCleanup::~ScopedExitCleanup() {
  std::erase_if(Cleanups(), [this](const Registered& r) { return r.id == id_; });
}

void RunExitCleanups() {
  std::vector<Registered> pending = std::exchange(Cleanups(), {});
  for (auto it = pending.rbegin(); it != pending.rend(); ++it) it->action();
}
