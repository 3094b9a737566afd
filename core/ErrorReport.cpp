#include "core/ErrorReport.h"

#include "platform/HelpViewer.h"

void ShowErrorMessage(const QString& text, const PlatformError& error) {
  // One arg() call, so that a "%" in the text (a file name) is not taken for a placeholder.
  ShowMessage(MessageKind::ErrorReport,
              QStringLiteral("%1 Error %2 : %3.").arg(text, QString::number(error.Number), error.Description));
}

MessageAnswer ShowMessage(MessageKind kind, const QString& text) {
  return Messages().Show(kind, text);
}

void ShowHelpContext(int context) { Help().ShowTopic(context); }
