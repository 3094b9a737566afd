#pragma once

#include <QString>

#include "platform/PlatformError.h"

// The window program (vantreo-window): beside this program in the build
// folder, in libexec/vantreo/ of the prefix when installed.
QString WindowProgramPath();

// Replaces this process with the window program, passing the arguments
// unchanged, argv[0] included. Returns only when it could not be started,
// with the system's reason.
PlatformError ExecWindowProgram(const QString& program, char* argv[]);
