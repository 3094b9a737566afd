#include "platform/HelpButton.h"

#include <QDialog>
#include <QDialogButtonBox>

#include "platform/HelpKey.h"
#include "platform/HelpViewer.h"

void AddHelpButton(QDialog& dialog, int context) {
  SetHelpContext(&dialog, context);
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    buttons->addButton(QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog, [context] { Help().ShowTopic(context); });
  }
}
