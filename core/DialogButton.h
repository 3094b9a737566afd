#pragma once

class QPushButton;

// A dialog button with its caption and object name; only the dialog's
// default button answers Enter.
QPushButton* MakeButton(const char* caption, const char* name);
