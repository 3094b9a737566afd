#pragma once

#include <Qt>

class QWidget;

// Makes window the active window, as a user's click would, and presses key
// in it, so that its shortcuts (such as F1) answer.
void PressInActiveWindow(QWidget& window, Qt::Key key);
