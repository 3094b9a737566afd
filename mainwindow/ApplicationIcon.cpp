#include "mainwindow/ApplicationIcon.h"

QIcon ApplicationIcon() {
  // The resources are linked from a static library, so they are registered
  // by hand before the first use.
  static const bool registered = [] {
    Q_INIT_RESOURCE(vantreo);
    return true;
  }();
  (void)registered;
  return QIcon(QStringLiteral(":/vantreo.svg"));
}
