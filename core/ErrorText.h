#pragma once

#include <QString>

#include "core/Outcome.h"
#include "platform/PlatformError.h"
#include "platform/ProgramIdentity.h"

inline constexpr const char* kProgramTitle = kProgramName;

// The text of the one error report: text + " Error " + number + " : " +
// description + ".".
QString ErrorReportText(const QString& text, const PlatformError& error);

// The problem of an outcome as the user is told it; empty when it succeeded.
QString OutcomeText(const Outcome& outcome);
