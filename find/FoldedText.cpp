#include "find/FoldedText.h"

#include <algorithm>

namespace {

bool IsAscii(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

QString FoldedText(const QString& text) {
  if (IsAscii(text)) return text.toLower();  // nothing to decompose, and folding ASCII is lowering it
  const QString decomposed = text.normalized(QString::NormalizationForm_D);
  QString folded;
  folded.reserve(decomposed.size());
  for (const QChar c : decomposed)
    if (c.category() != QChar::Mark_NonSpacing) folded.append(c);
  return folded.toCaseFolded();
}
