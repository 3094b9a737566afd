#include "print/PrinterJob.h"

#include "core/ErrorReport.h"
#include "platform/BusyPointer.h"

namespace {

QString SavedNotice(const QStringList& files) {
  const QString what = files.size() == 1 ? QStringLiteral("The printout was saved as the PDF file")
                                         : QStringLiteral("The printout was saved as the PDF files");
  return what + QLatin1Char('\n') + files.join(QLatin1Char('\n'));
}

}  // namespace

PrinterJob::PrinterJob(Printer& printer, const QString& report, const QString& title, JobSides sides)
    : printer_(printer) {
  printer.StartJob(report, title, sides);
}

PrinterJob::~PrinterJob() {
  if (!finished_) printer_.AbandonJob();
}

void PrinterJob::Finish() {
  finished_ = true;
  const QStringList files = printer_.FinishJob();
  if (files.isEmpty()) return;
  NormalPointer normal;
  ShowMessage(MessageKind::Notice, SavedNotice(files));
}
