#include "app/CommandLineTool.h"

// The program the user starts: it runs the commands of the command line
// itself and becomes the window program for the window, so that a command
// starts without loading the window's libraries.
int main(int argc, char* argv[]) {
  if (IsCommandLineCall(argc, argv)) return RunCommandLine(argc, argv);
  return StartWindowProgram(argv);
}
