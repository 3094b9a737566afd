#include "platform/ConsoleServices.h"

#include <QTextStream>

#include "platform/BusyPointer.h"
#include "platform/MessageBoxes.h"

namespace {

class ConsoleMessages : public MessageBoxes {
 public:
  MessageAnswer Show(MessageKind kind, const QString& text) override {
    QTextStream(stderr) << "vantreo: " << text << Qt::endl;
    return SafeAnswer(kind);
  }
};

class NoBusyPointer : public BusyPointer {
 public:
  void Show() override {}
  void Restore() override {}
  bool IsBusy() const override { return false; }
};

}  // namespace

void InstallConsoleServices() {
  static ConsoleMessages messages;
  static NoBusyPointer busy;
  InstallMessages(&messages);
  InstallBusy(&busy);
}
