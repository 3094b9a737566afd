#pragma once

#include <functional>

class QDialog;

// Runs act on the next modal dialog as soon as it is shown by exec(); act
// must close it. Call before the action that opens the dialog.
void WhenModalShown(std::function<void(QDialog&)> act);
