#pragma once

#include <QDialog>

#include "core/ProgramSettings.h"

class QCheckBox;

// The Settings dialog: asking before saving and the status bar clock panes.
// Accepted means the settings were changed and the status bar needs rebuilding.
class frmSettings : public QDialog {
  Q_OBJECT

 public:
  frmSettings(ProgramSettings& settings, QWidget* parent = nullptr);

  QCheckBox* chkPromptBeforeSave;
  QCheckBox* chkShowTime;
  QCheckBox* chkShowDate;

 private:
  void cmdOK_Click();

  ProgramSettings& settings_;
};
