#include "support/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace {

// The modal dialog that was on top when the act was scheduled is not the one
// wanted, so wait for a different one.
void RunWhenShown(std::function<void(QDialog&)> act, QWidget* before) {
  QTimer::singleShot(0, [act = std::move(act), before]() mutable {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == before || !dialog->isVisible()) {
      RunWhenShown(std::move(act), before);
      return;
    }
    act(*dialog);
  });
}

}  // namespace

void WhenModalShown(std::function<void(QDialog&)> act) {
  RunWhenShown(std::move(act), QApplication::activeModalWidget());
}
