#include "platform/HelpKey.h"

#include <QShortcut>
#include <QWidget>

#include "platform/HelpViewer.h"

void SetHelpContext(QWidget* window, int context) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, [context] { Help().ShowTopic(context); });
}
