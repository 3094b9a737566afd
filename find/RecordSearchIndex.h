#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "core/BookState.h"

// The words of every record of a book, folded once (case and accents
// ignored), so that each keystroke of a typed query is matched quickly.
class RecordSearchIndex {
 public:
  explicit RecordSearchIndex(const BookState& book);

  // For each record in book order, whether it matches query: every word
  // typed begins a word of the record's name, company, groups or notes; a
  // word of digits (with phone punctuation such as "555-0101") may also
  // stand anywhere in one of its phone numbers. An empty query matches all.
  std::vector<bool> Matches(const QString& query) const;

 private:
  struct Term {
    QString word;  // with a leading blank: matches the beginning of a word
    QString digits;
  };
  struct Entry {
    QString words;   // each word with a leading blank
    QString digits;  // each phone's digits with a leading blank
  };

  static std::vector<Term> TermsOf(const QString& query);
  static bool EntryMatches(const Entry& entry, const std::vector<Term>& terms);

  std::vector<Entry> entries_;
};
