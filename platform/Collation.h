#pragma once

#include <string>

#include <QString>

// Case-insensitive, locale-aware comparison of the user's locale: -1, 0 or +1.
int CompareTextIgnoringCase(const QString& a, const QString& b);

// The same for document text (windows-1252 bytes).
int CompareAnsiIgnoringCase(const std::string& a, const std::string& b);

// Document text made ready once for many comparisons ignoring case: two keys
// compare exactly as CompareAnsiIgnoringCase compares their texts.
class IgnoringCaseKey {
 public:
  explicit IgnoringCaseKey(const std::string& text);
  int Compare(const IgnoringCaseKey& other) const;

 private:
  QString text_;
};

// Comparison by character code: -1, 0 or +1.
int CompareBytes(const std::string& a, const std::string& b);
