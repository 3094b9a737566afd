#include <QApplication>

#include "platform/ServiceSlot.h"
#include "platform/SystemBeep.h"

namespace {

class QtSystemBeep : public SystemBeep {
 public:
  void Beep() override { QApplication::beep(); }
};

ServiceSlot<SystemBeep> slot([] { return std::make_unique<QtSystemBeep>(); });

}  // namespace

SystemBeep& Beeper() { return slot.Get(); }
void InstallBeeper(SystemBeep* implementation) { slot.Install(implementation); }
