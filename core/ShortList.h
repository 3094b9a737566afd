#pragma once

#include <QString>
#include <QStringList>

// The first lines of a list for a message box, one a line, with
// "... and N more" for the rest.
QString ShortList(const QStringList& lines);
