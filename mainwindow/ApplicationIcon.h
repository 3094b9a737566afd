#pragma once

#include <QIcon>

// The program's icon, for its windows, the toolbar and the About dialog.
QIcon ApplicationIcon();
