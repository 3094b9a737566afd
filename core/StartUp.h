#pragma once

// The program's start-up routine: settings, the main window and the event
// loop. Returns the exit code.
int RunProgram(int argc, char* argv[]);
