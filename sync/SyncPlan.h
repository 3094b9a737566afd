#pragma once

#include <QStringList>

// What a sync does to each side, record by record (names as the user knows
// them). Worked out in full before anything changes, shown before a first
// sync and as the summary afterwards.
struct SyncPlan {
  bool FirstSync = false;
  QStringList AddHere;
  QStringList AddOnServer;
  QStringList UpdateHere;
  QStringList UpdateOnServer;
  QStringList DeleteHere;
  QStringList DeleteOnServer;
  QStringList LikelyPairs;  // "record = card": taken for the same contact and merged
  QStringList Merged;       // changed on both sides, merged field by field
  QStringList KeptBoth;     // changed in the same field on both sides: both versions kept

  bool IsEmpty() const;
  // The plan in words, a heading with a count and the names under it.
  QStringList Summary() const;
};
