#pragma once

#include <string>

#include <QString>

// Case-insensitive, locale-aware comparison of the user's locale: -1, 0 or +1.
int CompareTextIgnoringCase(const QString& a, const QString& b);

// The same for document text (UTF-8).
int CompareUtf8IgnoringCase(const std::string& a, const std::string& b);

// Document text made ready once for many comparisons by the user's locale,
// ignoring case or not: two keys ignoring case compare exactly as
// CompareUtf8IgnoringCase compares their texts.
class CollationKey {
 public:
  CollationKey(const std::string& text, Qt::CaseSensitivity sensitivity);
  int Compare(const CollationKey& other) const;

 private:
  QString text_;
  Qt::CaseSensitivity sensitivity_;
};

// Comparison by character code: -1, 0 or +1.
int CompareBytes(const std::string& a, const std::string& b);
