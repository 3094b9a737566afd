#pragma once

#include <functional>

#include "core/BookState.h"
#include "sync/CardDavClient.h"
#include "sync/CardFields.h"
#include "sync/SyncPlan.h"
#include "sync/SyncState.h"

enum class ConflictChoice { KeepHere, KeepServer, KeepBoth };

// One field changed differently on both sides since the last sync.
struct FieldConflict {
  QString Record;
  CardField Field = CardField::Name;
  QString Here;
  QString Server;
};

// How far a sync has come, for the status bar.
struct SyncProgress {
  enum class Step { Listing, Receiving, Sending };
  Step Stage = Step::Listing;
  qsizetype Done = 0;
  qsizetype Total = 0;
};

struct SyncOptions {
  bool ForceETags = false;  // compare ETags even where the server offers sync-tokens
  // Asked for each field changed on both sides; without it both versions are kept.
  std::function<ConflictChoice(const FieldConflict&)> Resolve;
  // Shown the plan of a first sync before anything changes; false cancels.
  std::function<bool(const SyncPlan&)> ConfirmFirstSync;
  // Told as the sync lists, receives and sends cards.
  std::function<void(const SyncProgress&)> Progress;
};

struct SyncResult {
  bool Ok = false;
  bool Cancelled = false;
  QString Message;  // why it failed
  SyncPlan Plan;    // what was done (or, cancelled, would have been)
};

// Syncs the book both ways with the address book of the state's account:
// server changes come in by sync-token where offered, else by ETags; the
// book's changes go up with If-Match or If-None-Match. On success book and
// state hold the outcome (the caller saves both); on failure or when
// cancelled both are as they were, and the next sync starts again from the
// state last saved.
SyncResult SyncBook(BookState& book, SyncState& state, CardDavClient& client, const SyncOptions& options);
