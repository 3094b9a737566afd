#include "core/HelpKey.h"

#include <QShortcut>
#include <QWidget>

#include "core/ErrorReport.h"

void SetHelpContext(QWidget* window, int context) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, [context] { ShowHelpContext(context); });
}
