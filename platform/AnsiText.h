#pragma once

#include <string>

#include <QString>

// Conversion between the single-byte (windows-1252) text of the data file
// and Qt text; every byte 0 to 255 maps to one character and back.
QString AnsiToQString(const std::string& bytes);

// The bytes of text; false when a character has no windows-1252 byte.
bool QStringToAnsi(const QString& text, std::string& bytes);

// The bytes of text, with '?' for characters that have no byte.
std::string ToAnsi(const QString& text);

bool IsAnsiRepresentable(const QString& text);
