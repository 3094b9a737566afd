#pragma once

#include <QProcess>
#include <QProcessEnvironment>

// The part of a test that runs as a second program: the test program itself,
// started by the test with the side's name in its environment. main() runs the
// side instead of the tests, so a child side is never listed as a test.
//
//   CHILD_SIDE(SavesUntilKilled) { ... }
//   StartChildSide(process, "SavesUntilKilled", environment);
using ChildSideBody = void (*)();
bool RegisterChildSide(const char* name, ChildSideBody body);

#define CHILD_SIDE(name)                                                     \
  void name##ChildSide();                                                    \
  [[maybe_unused]] const bool name##Registered = RegisterChildSide(#name, &name##ChildSide); \
  void name##ChildSide()

// Starts this test program as the named child side, with environment
// (the system's when not given) handing it what it needs.
void StartChildSide(QProcess& process, const char* name,
                    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

// Called by main(): runs the child side the environment names, if any, and
// tells whether it did (the program then ends without running tests).
bool RunChildSideIfNamed();
