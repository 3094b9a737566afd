#pragma once

#include <QByteArray>
#include <QString>

// Text of a file or value in whatever encoding it came: a byte-order mark
// (UTF-8, UTF-16) decides, else the named charset, else UTF-8 when the bytes
// are valid UTF-8, else windows-1252.
QString DecodeText(QByteArrayView bytes, const QByteArray& charset = {});

// The file's bytes as UTF-8 without a byte-order mark; UTF-16 with a mark is
// converted, anything else is left for DecodeText to decode value by value.
QByteArray WithoutByteOrderMark(const QByteArray& bytes);

// Every line break (CR LF, CR or LF) as "\n".
QString WithPlainLineBreaks(QString text);

// Adds line to text, after a "\n" unless text is empty; in place, so that
// a value built from many lines takes time in proportion to its length.
void AppendLine(QString& text, const QString& line);
