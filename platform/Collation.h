#pragma once

#include <string>

#include <QCollatorSortKey>
#include <QString>

// Case-insensitive, locale-aware comparison of the user's locale: -1, 0 or +1.
int CompareTextIgnoringCase(const QString& a, const QString& b);

// The same for document text (windows-1252 bytes).
int CompareAnsiIgnoringCase(const std::string& a, const std::string& b);

// A key that compares with others as CompareAnsiIgnoringCase compares the
// texts, for sorting many texts quickly.
QCollatorSortKey AnsiSortKeyIgnoringCase(const std::string& text);

// Comparison by character code: -1, 0 or +1.
int CompareBytes(const std::string& a, const std::string& b);
