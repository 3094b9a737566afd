#include "core/ErrorReport.h"

#include "platform/HelpViewer.h"

void ShowErrorMessage(const QString& text, const PlatformError& error) {
  ShowMessage(MessageKind::ErrorReport, ErrorReportText(text, error));
}

void ShowOutcome(const Outcome& outcome) {
  if (outcome.Succeeded()) return;
  const MessageKind kind = outcome.Result == Outcome::Kind::Failed ? MessageKind::ErrorReport : MessageKind::Notice;
  ShowMessage(kind, OutcomeText(outcome));
}

MessageAnswer ShowMessage(MessageKind kind, const QString& text) {
  return Messages().Show(kind, text);
}

void ShowHelpContext(int context) { Help().ShowTopic(context); }
