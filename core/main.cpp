#include "core/StartUp.h"
#include "interchange/CommandLineTool.h"

int main(int argc, char* argv[]) {
  if (IsCommandLineCall(argc, argv)) return RunCommandLine(argc, argv);
  return RunProgram(argc, argv);
}
