#include "core/ErrorText.h"

QString ErrorReportText(const QString& text, const PlatformError& error) {
  // One arg() call, so that a "%" in the text (a file name) is not taken for a placeholder.
  return QStringLiteral("%1 Error %2 : %3.").arg(text, QString::number(error.Number), error.Description);
}

QString OutcomeText(const Outcome& outcome) {
  switch (outcome.Result) {
    case Outcome::Kind::Done: return {};
    case Outcome::Kind::Refused: return outcome.Problem;
    case Outcome::Kind::Failed: return ErrorReportText(outcome.Problem, outcome.Error);
  }
  return {};
}
