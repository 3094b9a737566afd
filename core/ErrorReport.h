#pragma once

#include <QString>

#include "core/Outcome.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformError.h"
#include "platform/ProgramIdentity.h"

inline constexpr const char* kProgramTitle = kProgramName;

// The one error report: text + " Error " + number + " : " + description + ".",
// with the exclamation icon and one OK button.
void ShowErrorMessage(const QString& text, const PlatformError& error);

// The text of that report.
QString ErrorReportText(const QString& text, const PlatformError& error);

// Tells the user what went wrong, if anything: a refusal as a notice, a
// failure as the error report.
void ShowOutcome(const Outcome& outcome);

// The problem of an outcome as the user is told it; empty when it succeeded.
QString OutcomeText(const Outcome& outcome);

// A message box of the given kind; returns the button pressed.
MessageAnswer ShowMessage(MessageKind kind, const QString& text);

// Opens the help file at the topic with that context number.
void ShowHelpContext(int context);
