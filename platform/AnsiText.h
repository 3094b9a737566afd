#pragma once

#include <string>

#include <QString>

// The single-byte text of the old data file edition and of code-page
// exports: windows-1252 as web browsers decode it, with the five bytes that
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) standing for the
// control characters of the same number, so that every byte 0 to 255 maps
// to one character and back.
QString AnsiToQString(const std::string& bytes);

// The same between the bytes and UTF-8 text; Utf8ToAnsi is false when a
// character has no byte (written as SUB, 26).
std::string AnsiToUtf8(const std::string& bytes);
bool Utf8ToAnsi(const std::string& utf8, std::string& bytes);

// Text of ASCII characters only, the same bytes in both.
bool IsAscii(const std::string& text);

bool IsAnsiCharacter(QChar c);
bool IsAnsiRepresentable(const QString& text);
