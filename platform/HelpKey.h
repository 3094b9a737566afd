#pragma once

class QWidget;

// Makes F1 anywhere in window open the help topic with that context number.
void SetHelpContext(QWidget* window, int context);
