#include <QApplication>
#include <QCursor>

#include "platform/BusyPointer.h"
#include "platform/ServiceSlot.h"

namespace {

// Without a window (the command line) there is no pointer to change.
bool HasPointer() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

class QtBusyPointer : public BusyPointer {
 public:
  void Show() override {
    if (!HasPointer()) return;
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
