#pragma once

#include <QString>

// Turns text of any script into the nearest Latin text ("Иван" gives "Ivan",
// "Łukasz" gives "Lukasz"); text that has no Latin form is left as it is.
class Transliteration {
 public:
  virtual ~Transliteration() = default;
  virtual QString ToLatin(const QString& text) = 0;
};

Transliteration& Transliterator();
void InstallTransliteration(Transliteration* implementation);
