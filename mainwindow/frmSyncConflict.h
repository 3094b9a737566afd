#pragma once

#include <QDialog>

#include "sync/SyncEngine.h"

class QPushButton;

// One field changed differently in this book and on the server since the
// last sync: shows both values and asks which to keep, or to keep both
// versions of the record.
class frmSyncConflict : public QDialog {
  Q_OBJECT

 public:
  explicit frmSyncConflict(const FieldConflict& conflict, QWidget* parent = nullptr);

  QPushButton* cmdKeepHere;
  QPushButton* cmdKeepServer;
  QPushButton* cmdKeepBoth;

  ConflictChoice Choice() const { return choice_; }

 private:
  ConflictChoice choice_ = ConflictChoice::KeepBoth;
};
