#pragma once

#include "platform/BusyPointer.h"

// The wait pointer on the screen of a program with a window, for
// InstallBusy once its QApplication is made.
BusyPointer& ScreenBusyPointer();
