#pragma once

#include <QString>

// Text made ready for matching that ignores case and accents: decomposed
// (NFD), without its combining marks, case folded. "Åsa Müller" gives
// "asa muller".
QString FoldedText(const QString& text);
