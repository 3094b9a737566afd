#include "app/CommandLineTool.h"
#include "app/StartUp.h"

int main(int argc, char* argv[]) {
  if (IsCommandLineCall(argc, argv)) return RunCommandLine(argc, argv);
  return RunProgram(argc, argv);
}
