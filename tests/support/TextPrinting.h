#pragma once

#include <ostream>

#include <QString>

// Failure messages show texts as texts.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* out);
QT_END_NAMESPACE
