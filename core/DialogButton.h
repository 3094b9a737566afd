#pragma once

#include <initializer_list>

class QPushButton;
class QVBoxLayout;

// A dialog button with its caption and object name; only the dialog's
// default button answers Enter.
QPushButton* MakeButton(const char* caption, const char* name);

// The column of a dialog's buttons: the buttons top down, then free space.
QVBoxLayout* ButtonColumn(std::initializer_list<QPushButton*> buttons);
