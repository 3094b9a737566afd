#pragma once

#include <array>
#include <optional>

#include <QDialog>

#include "core/ProgramSettings.h"
#include "print/PageRect.h"
#include "print/PrintOutcome.h"

class QLabel;
class QLineEdit;
class QPushButton;

// "Align": the offsets, in inches, that shift side B of a phone book, and a
// two-sided test print of the cut marks to check them.
class frmAlign : public QDialog {
  Q_OBJECT

 public:
  explicit frmAlign(ProgramSettings& settings, QWidget* parent = nullptr);

  std::array<QLabel*, 2> lblOffset;
  std::array<QLineEdit*, 2> txtOffset;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdHelp;
  QPushButton* cmdTest;

  // Checks both boxes and shows their values as "0.00"; false after refusing one.
  bool ValidateOffsets();

  void cmdOK_Click();
  void cmdTest_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  float OffsetIn(int box) const;
  void TestPrint(PrintOutcome& outcome);

  ProgramSettings& settings_;
  SheetRects sheetRects_{};
};

// The offset a box's text stands for: empty is 0; nothing when the text is
// no number between -1 and 1.
std::optional<double> OffsetFromText(const QString& text);

// An offset as the boxes show it, with two decimals.
QString OffsetBoxText(double inches);
