#pragma once

#include <string>

#include <QString>

// The document holds its text as UTF-8 in Unicode normalization form C, so
// that a name typed with combining marks and the same name typed precomposed
// are one name to search, sort and compare.
inline QString ShownText(const std::string& stored) { return QString::fromStdString(stored); }

inline std::string StoredText(const QString& shown) {
  return shown.normalized(QString::NormalizationForm_C).toStdString();
}
