#pragma once

#include <QString>

#include "platform/Printer.h"
#include "print/PrintOutcome.h"

// The output of one print request on the printer, for as long as this object
// lives: a job that is not finished, because something failed on the way,
// is abandoned, so that no incomplete PDF file is left.
class PrinterJob {
 public:
  PrinterJob(Printer& printer, const QString& report, const QString& title, JobSides sides,
             const CopyChoice& copies);
  ~PrinterJob();
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  // Completes the job; the outcome learns the PDF files written and what the
  // printer said of it.
  void Finish(PrintOutcome& outcome);

 private:
  Printer& printer_;
  bool finished_ = false;
};
