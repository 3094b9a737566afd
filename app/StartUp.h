#pragma once

#include <memory>

#include <QString>

class frmMain;

// Reads the settings and shows the main window on the book and settings of
// the program, with the last data file or the one commandLine names loaded.
// The program ends when the window has closed.
std::unique_ptr<frmMain> StartMainWindow(const QString& commandLine);

// The window program's start-up routine: settings, the main window and the event
// loop. Returns the exit code.
int RunProgram(int argc, char* argv[]);
