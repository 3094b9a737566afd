#pragma once

#include <QDialog>

#include "sync/SyncPlan.h"

class QPlainTextEdit;
class QPushButton;

// What the first sync of a book will do, before anything changes: OK syncs,
// Cancel leaves book and server as they are.
class frmSyncPreview : public QDialog {
  Q_OBJECT

 public:
  frmSyncPreview(const SyncPlan& plan, const QString& addressBook, QWidget* parent = nullptr);

  QPlainTextEdit* txtPlan;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
};
