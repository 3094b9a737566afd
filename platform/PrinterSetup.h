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
  // Opens the system print dialog on choice: a printer or PDF files, the
  // paper size and orientation. True with the user's new choice in choice.
  virtual bool Choose(PrinterChoice& choice, int helpContext) = 0;
};

PrinterSetup& Printers();
void InstallPrinterSetup(PrinterSetup* implementation);
