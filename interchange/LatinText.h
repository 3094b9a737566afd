#pragma once

#include <QString>

// The text with every run of characters that windows-1252 cannot hold
// transliterated to Latin letters ("Łukasz" gives "Lukasz"); characters that
// have no Latin form either become "?".
QString LatinText(const QString& text);
