#pragma once

#include <Qt>

class QWidget;

// Shows window and makes it the active window, as a user's click would.
void ShowActive(QWidget& window);

// Makes window the active window and presses key in it, so that its
// shortcuts (such as F1) answer.
void PressInActiveWindow(QWidget& window, Qt::Key key);
