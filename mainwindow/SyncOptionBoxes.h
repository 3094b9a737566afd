#pragma once

class QCheckBox;
class QFormLayout;
struct SyncState;

// The options a book's sync account keeps, as check boxes: in the account
// dialog and in Sync Options.
struct SyncOptionBoxes {
  SyncOptionBoxes();

  void AddRows(QFormLayout& form) const;
  void Show(const SyncState& state) const;
  void Take(SyncState& state) const;

  QCheckBox* chkKeepDeleted;
  QCheckBox* chkSyncAfterSave;
  QCheckBox* chkSyncAtStartUp;
};
