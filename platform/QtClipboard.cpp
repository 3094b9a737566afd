#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "platform/Clipboard.h"
#include "platform/ServiceSlot.h"

namespace {

class QtClipboard : public Clipboard {
 public:
  void Clear() override { QApplication::clipboard()->clear(); }
  void SetText(const QString& text) override { QApplication::clipboard()->setText(text); }
  QString GetText() override { return QApplication::clipboard()->text(); }
  bool HasText() override {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
  }
};

ServiceSlot<Clipboard> slot([] { return std::make_unique<QtClipboard>(); });

}  // namespace

Clipboard& SystemClipboard() { return slot.Get(); }
void InstallClipboard(Clipboard* implementation) { slot.Install(implementation); }
