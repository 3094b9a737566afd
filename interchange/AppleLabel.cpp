#include "interchange/AppleLabel.h"

namespace {

constexpr QLatin1String kAppleStart("_$!<"), kAppleEnd(">!$_");

}  // namespace

// "_$!<Name>!$_" on one line is Apple's form of a name it knows.
QString PlainLabel(const QString& label) {
  const QString trimmed = label.trimmed();
  if (trimmed.size() < kAppleStart.size() + kAppleEnd.size() || !trimmed.startsWith(kAppleStart) ||
      !trimmed.endsWith(kAppleEnd))
    return trimmed;
  const QString inner = trimmed.sliced(kAppleStart.size(), trimmed.size() - kAppleStart.size() - kAppleEnd.size());
  return inner.contains(QLatin1Char('\n')) ? trimmed : inner;
}

QString LabelFor(const QString& name) {
  return PlainLabel(name) == name ? name : QStringLiteral("_$!<") + name + QStringLiteral(">!$_");
}
