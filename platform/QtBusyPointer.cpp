#include "platform/QtBusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

class QtBusyPointer : public BusyPointer {
 public:
  void Show() override {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++depth_;
  }
  void Restore() override {
    if (depth_ == 0) return;
    QGuiApplication::restoreOverrideCursor();
    --depth_;
  }
  bool IsBusy() const override { return depth_ > 0; }

 private:
  int depth_ = 0;
};

}  // namespace

BusyPointer& ScreenBusyPointer() {
  static QtBusyPointer pointer;
  return pointer;
}
