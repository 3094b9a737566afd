#include "interchange/AppleLabel.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& AppleForm() {
  static const QRegularExpression form(QStringLiteral("^_\\$!<(.*)>!\\$_$"));
  return form;
}

}  // namespace

QString PlainLabel(const QString& label) {
  const QRegularExpressionMatch match = AppleForm().match(label.trimmed());
  return match.hasMatch() ? match.captured(1) : label.trimmed();
}

QString LabelFor(const QString& name) {
  return PlainLabel(name) == name ? name : QStringLiteral("_$!<") + name + QStringLiteral(">!$_");
}
