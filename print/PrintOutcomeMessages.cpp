#include "print/PrintOutcomeMessages.h"

#include "core/ErrorReport.h"
#include "platform/BusyPointer.h"

namespace {

QString SavedNotice(const QStringList& files) {
  const QString what = files.size() == 1 ? QStringLiteral("The printout was saved as the PDF file")
                                         : QStringLiteral("The printout was saved as the PDF files");
  return what + QLatin1Char('\n') + files.join(QLatin1Char('\n'));
}

}  // namespace

void ShowPrintOutcome(const PrintOutcome& outcome) {
  NormalPointer normal;
  if (!outcome.Result.Succeeded()) {
    ShowOutcome(outcome.Result);
    return;
  }
  if (!outcome.Files.isEmpty()) ShowMessage(MessageKind::Notice, SavedNotice(outcome.Files));
  for (const QString& notice : outcome.Notices) ShowMessage(MessageKind::Notice, notice);
}
