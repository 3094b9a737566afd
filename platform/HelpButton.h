#pragma once

class QDialog;

// Gives one of the toolkit's standard dialogs a Help button and F1, both
// opening the help topic with that context number.
void AddHelpButton(QDialog& dialog, int context);
