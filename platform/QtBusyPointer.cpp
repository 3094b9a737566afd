#include <QApplication>
#include <QCursor>

#include "platform/BusyPointer.h"
#include "platform/ServiceSlot.h"

namespace {

class QtBusyPointer : public BusyPointer {
 public:
  void Show() override {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++depth_;
  }
  void Restore() override {
    if (depth_ == 0) return;
    QApplication::restoreOverrideCursor();
    --depth_;
  }
  bool IsBusy() const override { return depth_ > 0; }

 private:
  int depth_ = 0;
};

ServiceSlot<BusyPointer> slot([] { return std::make_unique<QtBusyPointer>(); });

}  // namespace

BusyPointer& Busy() { return slot.Get(); }
void InstallBusy(BusyPointer* implementation) { slot.Install(implementation); }
