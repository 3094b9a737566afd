#pragma once

class QDialog;

// Gives a standard dialog a Help button in its button box, and F1, both
// opening the help topic with that context number.
void AddHelpButton(QDialog& dialog, int helpContext);
