#pragma once

#include <string>

#include <QString>

// A readable, stable name for a parameterised case made of a text such as a
// file or person's name: its letters (without accents) and digits, each run
// of anything else an underscore ("Dr. María José" gives "Dr_Maria_Jose").
inline std::string CaseName(const QString& text) {
  std::string name;
  for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
    if (c.isMark()) continue;
    if (c.unicode() < 128 && c.isLetterOrNumber()) name += static_cast<char>(c.unicode());
    else if (!name.empty() && name.back() != '_') name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "_" : name;
}
