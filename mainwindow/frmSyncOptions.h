#pragma once

#include <QDialog>

#include "mainwindow/SyncOptionBoxes.h"

class QLabel;
class QPushButton;

// The options of a book that syncs: which address book it syncs with, and
// whether deleted cards are kept and syncs start after a save and at start-up.
class frmSyncOptions : public QDialog {
  Q_OBJECT

 public:
  frmSyncOptions(const SyncState& state, QWidget* parent = nullptr);

  QLabel* lblAccount;
  SyncOptionBoxes Options;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
};
