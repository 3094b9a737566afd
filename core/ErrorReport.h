#pragma once

#include <QString>

#include "platform/MessageBoxes.h"
#include "platform/PlatformError.h"

inline constexpr const char* kProgramTitle = "Vantreo";

// The one error report: text + " Error " + number + " : " + description + ".",
// with the exclamation icon and one OK button.
void ShowErrorMessage(const QString& text, const PlatformError& error);

// A message box of the given kind; returns the button pressed.
MessageAnswer ShowMessage(MessageKind kind, const QString& text);

// Opens the help file at the topic with that context number.
void ShowHelpContext(int context);
