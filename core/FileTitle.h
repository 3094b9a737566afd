#pragma once

#include <QString>

// The last component of path: the text after its last folder separator
// ('/', and on Windows also '\'), or the whole path when it has none.
QString FileTitleOf(const QString& path);
