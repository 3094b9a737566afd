#include "print/PrinterJob.h"

PrinterJob::PrinterJob(Printer& printer, const QString& report, const QString& title, JobSides sides,
                       const CopyChoice& copies)
    : printer_(printer) {
  printer.StartJob(report, title, sides, copies);
}

PrinterJob::~PrinterJob() {
  if (!finished_) printer_.AbandonJob();
}

void PrinterJob::Finish(PrintOutcome& outcome) {
  finished_ = true;
  const FinishedJob finished = printer_.FinishJob();
  outcome.Files = finished.Files;
  outcome.Notices = finished.Notices;
}
