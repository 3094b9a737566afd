#pragma once

// Replaces the services that need a window (message boxes, the busy
// pointer) by ones for a program without a window: messages are printed on
// the standard error stream and questions answered with their safe choice
// (No, Cancel); the busy pointer is not shown.
void InstallConsoleServices();
