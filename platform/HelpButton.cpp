#include "platform/HelpButton.h"

#include <QDialog>
#include <QDialogButtonBox>

#include "core/ErrorReport.h"
#include "core/HelpKey.h"

void AddHelpButton(QDialog& dialog, int context) {
  SetHelpContext(&dialog, context);
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    buttons->addButton(QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog, [context] { ShowHelpContext(context); });
  }
}
