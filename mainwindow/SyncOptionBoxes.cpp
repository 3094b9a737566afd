#include "mainwindow/SyncOptionBoxes.h"

#include <QCheckBox>
#include <QFormLayout>

#include "sync/SyncState.h"

namespace {

QCheckBox* Box(const char* caption, const char* name) {
  auto* box = new QCheckBox(QString::fromLatin1(caption));
  box->setObjectName(QLatin1String(name));
  return box;
}

}  // namespace

SyncOptionBoxes::SyncOptionBoxes()
    : chkKeepDeleted(Box("&Keep cards deleted on the other side", "chkKeepDeleted")),
      chkSyncAfterSave(Box("Sync after each sa&ve", "chkSyncAfterSave")),
      chkSyncAtStartUp(Box("Sync when the book is opened at s&tart-up", "chkSyncAtStartUp")) {}

void SyncOptionBoxes::AddRows(QFormLayout& form) const {
  for (QCheckBox* box : {chkKeepDeleted, chkSyncAfterSave, chkSyncAtStartUp}) form.addRow(QString(), box);
}

void SyncOptionBoxes::Show(const SyncState& state) const {
  chkKeepDeleted->setChecked(state.KeepDeleted);
  chkSyncAfterSave->setChecked(state.SyncAfterSave);
  chkSyncAtStartUp->setChecked(state.SyncAtStartUp);
}

void SyncOptionBoxes::Take(SyncState& state) const {
  state.KeepDeleted = chkKeepDeleted->isChecked();
  state.SyncAfterSave = chkSyncAfterSave->isChecked();
  state.SyncAtStartUp = chkSyncAtStartUp->isChecked();
}
