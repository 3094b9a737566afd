#pragma once

#include <QString>
#include <QStringList>

#include "platform/Printer.h"

// The output of one print request on the printer, for as long as this object
// lives: a job that is not finished, because something failed on the way,
// is abandoned, so that no incomplete PDF file is left.
class PrinterJob {
 public:
  PrinterJob(Printer& printer, const QString& report, const QString& title, JobSides sides);
  ~PrinterJob();
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  // Completes the job; says which PDF files were written, if any.
  void Finish();

 private:
  Printer& printer_;
  bool finished_ = false;
};
