#include "platform/CaseFolding.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace {

// Turkish and Azeri write i and I with and without a dot as two letters;
// ignoring case, a name is found whichever of them was typed.
QString WithPlainI(QStringView text) {
  QString plain = text.toString();
  for (QChar& c : plain)
    if (c == QChar(0x130) || c == QChar(0x131)) c = u'i';
  return plain;
}

QString Folded(const QChar* text, qsizetype length) {
  const QString plain = WithPlainI(QStringView(text, length));
  QString folded(length * 3 + 1, Qt::Uninitialized);  // a code point folds to at most three
  UErrorCode status = U_ZERO_ERROR;
  const int32_t written = u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                                        reinterpret_cast<const UChar*>(plain.constData()), static_cast<int32_t>(length),
                                        U_FOLD_CASE_DEFAULT, &status);
  folded.truncate(U_SUCCESS(status) ? written : 0);
  return folded;
}

// The position in text whose folded form starts at foldedPosition: folds
// text one code point at a time until that far.
qsizetype OriginalPosition(const QString& text, qsizetype foldedPosition) {
  qsizetype folded = 0;
  qsizetype i = 0;
  while (i < text.size() && folded < foldedPosition) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    folded += Folded(text.constData() + i, length).size();
    i += length;
  }
  return i;
}

}  // namespace

qsizetype IndexOfIgnoringCase(const QString& text, const QString& needle) {
  const QString foldedNeedle = Folded(needle.constData(), needle.size());
  const qsizetype found = Folded(text.constData(), text.size()).indexOf(foldedNeedle);
  return found < 0 ? -1 : OriginalPosition(text, found);
}
