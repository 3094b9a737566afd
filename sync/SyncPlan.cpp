#include "sync/SyncPlan.h"

namespace {

constexpr qsizetype kShownPerList = 20;

void AddList(QStringList& lines, const QString& title, const QStringList& names) {
  if (names.isEmpty()) return;
  lines << QStringLiteral("%1 (%2):").arg(title).arg(names.size());
  for (qsizetype i = 0; i < std::min(names.size(), kShownPerList); ++i) lines << QStringLiteral("    ") + names[i];
  if (names.size() > kShownPerList) lines << QStringLiteral("    ... and %1 more").arg(names.size() - kShownPerList);
}

}  // namespace

bool SyncPlan::IsEmpty() const { return Summary().isEmpty(); }

QStringList SyncPlan::Summary() const {
  QStringList lines;
  AddList(lines, QStringLiteral("To add here"), AddHere);
  AddList(lines, QStringLiteral("To add on the server"), AddOnServer);
  AddList(lines, QStringLiteral("To update here"), UpdateHere);
  AddList(lines, QStringLiteral("To update on the server"), UpdateOnServer);
  AddList(lines, QStringLiteral("To delete here"), DeleteHere);
  AddList(lines, QStringLiteral("To delete on the server"), DeleteOnServer);
  AddList(lines, QStringLiteral("Likely the same contact, merged"), LikelyPairs);
  AddList(lines, QStringLiteral("Changed on both sides, merged"), Merged);
  AddList(lines, QStringLiteral("Changed in the same field on both sides, both kept"), KeptBoth);
  return lines;
}
