#pragma once

#include <QByteArray>
#include <QString>

// Text of a file or value in whatever encoding it came: a byte-order mark
// (UTF-8, UTF-16) decides, else the named charset, else UTF-8 when the bytes
// are valid UTF-8, else windows-1252.
QString DecodeText(QByteArrayView bytes, const QByteArray& charset = {});

// Bytes that are UTF-8 or windows-1252 text, which keep every ASCII
// character as its own byte: they can be split at those before decoding.
struct SplittableText {
  QByteArray Bytes;
  bool Utf8 = true;  // else windows-1252
};

// The bytes as DecodeText reads them with the charset: as they are when they
// are UTF-8 or windows-1252 text, else decoded and made UTF-8.
SplittableText AsSplittableText(const QByteArray& bytes, const QByteArray& charset = {});

// The text of a part of such bytes.
QString TextOfPart(QByteArrayView part, bool utf8);

// How a file's bytes are UTF-16: by its byte-order mark, or, without one,
// by the zero bytes that every ASCII character of UTF-16 text carries on
// the same side of each pair.
enum class Utf16Order { None, LittleEndian, BigEndian };
Utf16Order Utf16OrderOf(QByteArrayView bytes);

// The file's bytes as UTF-8 without a byte-order mark; UTF-16, with a mark or
// without, is converted, anything else is left for DecodeText to decode value
// by value.
QByteArray WithoutByteOrderMark(const QByteArray& bytes);

// Every line break (CR LF, CR or LF) as "\n".
QString WithPlainLineBreaks(QString text);

// Empty or white space only; compared without a trimmed copy.
inline bool IsBlank(QStringView text) { return text.trimmed().isEmpty(); }

// Adds line to text, after a "\n" unless text is empty; in place, so that
// a value built from many lines takes time in proportion to its length.
void AppendLine(QString& text, const QString& line);
