#pragma once

#include <cstdint>
#include <optional>

#include <QString>

// The text forms of settings values.

// True when the text contains "True" or "Yes" in any letter case.
bool ReadLooseBoolean(const QString& text);

// "True"/"False" in any case, or a number (0 false, else true); nothing for
// any other text.
std::optional<bool> ReadStrictBoolean(const QString& text);

// The leading numeric part of text ("&H" hexadecimal and "&O" octal too);
// 0 when the text does not start with a number.
double ReadNumber(const QString& text);

// ReadNumber rounded half to even and held in 16 bits.
int16_t ReadInteger16(const QString& text);

QString BooleanText(bool value);
QString OffsetText(float inches);     // "0.00"
QString HexMaskText(int16_t mask);    // "&H1FB"
