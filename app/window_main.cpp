#include "app/StartUp.h"

// The window program, started by vantreo with the user's arguments.
int main(int argc, char* argv[]) { return RunProgram(argc, argv); }
