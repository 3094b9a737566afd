#include "support/TextPrinting.h"

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE
