#include "core/ErrorReport.h"

#include "platform/HelpViewer.h"

QString ErrorReportText(const QString& text, const PlatformError& error) {
  // One arg() call, so that a "%" in the text (a file name) is not taken for a placeholder.
  return QStringLiteral("%1 Error %2 : %3.").arg(text, QString::number(error.Number), error.Description);
}

void ShowErrorMessage(const QString& text, const PlatformError& error) {
  ShowMessage(MessageKind::ErrorReport, ErrorReportText(text, error));
}

QString OutcomeText(const Outcome& outcome) {
  switch (outcome.Result) {
    case Outcome::Kind::Done: return {};
    case Outcome::Kind::Refused: return outcome.Problem;
    case Outcome::Kind::Failed: return ErrorReportText(outcome.Problem, outcome.Error);
  }
  return {};
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
