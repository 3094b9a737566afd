#include "platform/BusyPointer.h"

#include "platform/ServiceSlot.h"

namespace {

// Without a window (the command line) there is no pointer to change; the
// window installs the screen's pointer at start.
class NoPointer : public BusyPointer {
 public:
  void Show() override {}
  void Restore() override {}
  bool IsBusy() const override { return false; }
};

ServiceSlot<BusyPointer> slot([] { return std::make_unique<NoPointer>(); });

}  // namespace

BusyPointer& Busy() { return slot.Get(); }
void InstallBusy(BusyPointer* implementation) { slot.Install(implementation); }
