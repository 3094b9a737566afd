#include "core/ErrorReport.h"

#include "platform/HelpViewer.h"

void ShowErrorMessage(const QString& text, const PlatformError& error) {
  ShowMessage(MessageKind::ErrorReport, QStringLiteral("%1 Error %2 : %3.")
                                            .arg(text)
                                            .arg(error.Number)
                                            .arg(error.Description));
}

MessageAnswer ShowMessage(MessageKind kind, const QString& text) {
  return Messages().Show(kind, text);
}

void ShowHelpContext(int context) { Help().ShowTopic(context); }
