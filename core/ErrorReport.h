#pragma once

#include <QString>

#include "core/ErrorText.h"
#include "platform/MessageBoxes.h"

// The one error report (ErrorReportText) with the exclamation icon and one
// OK button.
void ShowErrorMessage(const QString& text, const PlatformError& error);

// Tells the user what went wrong, if anything: a refusal as a notice, a
// failure as the error report.
void ShowOutcome(const Outcome& outcome);

// A message box of the given kind; returns the button pressed.
MessageAnswer ShowMessage(MessageKind kind, const QString& text);

// Opens the help file at the topic with that context number.
void ShowHelpContext(int context);
