#pragma once

#include <optional>

#include "platform/PrinterSetup.h"

// The system's printers as a test sets them; the print dialog answers with
// answer, or is cancelled without one.
class FakePrinterSetup : public PrinterSetup {
 public:
  QStringList Printers() override { return printers; }
  QString DefaultPrinter() override { return defaultPrinter; }
  bool Choose(PrinterChoice& choice, int helpContext) override {
    shown.push_back(choice);
    context = helpContext;
    if (!answer) return false;
    choice = *answer;
    return true;
  }

  QStringList printers;
  QString defaultPrinter;
  std::optional<PrinterChoice> answer;
  std::vector<PrinterChoice> shown;
  int context = 0;
};
