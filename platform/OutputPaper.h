#pragma once

#include <QPageLayout>

#include "platform/PrinterChoice.h"

// The paper a printer choice prints on.
struct OutputPaper {
  QPageLayout Layout;
  int Resolution = 1200;
  bool BothSides = false;  // the printer can print both sides in one pass
};

// The chosen printer's paper with its own margins, or, for PDF files and a
// printer that is gone, Qt's PDF page; with the chosen size and orientation.
OutputPaper PaperFor(const PrinterChoice& choice);

// The system's choice before the user has made one: its default printer,
// else PDF files.
PrinterChoice SystemDefaultChoice();
