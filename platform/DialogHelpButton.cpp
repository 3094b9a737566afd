#include "platform/DialogHelpButton.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QShortcut>

#include "platform/HelpViewer.h"

void AddHelpButton(QDialog& dialog, int helpContext) {
  const auto showHelp = [helpContext] { Help().ShowTopic(helpContext); };
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
    buttons->addButton(QDialogButtonBox::Help);
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, &dialog, showHelp);
  }
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(f1, &QShortcut::activated, &dialog, showHelp);
}
