#pragma once

#include <QStringList>

#include "platform/PrinterChoice.h"

// The system's printers and its print dialog.
class PrinterSetup {
 public:
  virtual ~PrinterSetup() = default;
  // The installed printer queues.
  virtual QStringList Printers() = 0;
  // The system's default printer; empty when none is the default.
  virtual QString DefaultPrinter() = 0;
  // False when the print service does not answer: then nothing is known of
  // the printers, and none can print.
  virtual bool ServiceRunning() = 0;
  // Opens the system print dialog on choice and copies: a printer or PDF
  // files, the paper size and orientation, copies, collation, order and
  // two-sided printing, and the page ranges when pageRanges is true (else
  // the dialog offers none). True with the user's new choice.
  virtual bool Choose(PrinterChoice& choice, CopyChoice& copies, bool pageRanges, int helpContext) = 0;
};

PrinterSetup& Printers();
void InstallPrinterSetup(PrinterSetup* implementation);
