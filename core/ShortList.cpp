#include "core/ShortList.h"

QString ShortList(const QStringList& lines) {
  constexpr qsizetype kShown = 15;
  QString text = QStringList(lines.mid(0, kShown)).join(QLatin1Char('\n'));
  if (lines.size() > kShown) text += QStringLiteral("\n... and %1 more").arg(lines.size() - kShown);
  return text;
}
