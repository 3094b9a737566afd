#include "find/RecordSearchIndex.h"

#include <QRegularExpression>

#include "core/GroupMembership.h"
#include "core/BookText.h"
#include "find/FoldedText.h"

namespace {

// The folded words of text, each with a leading blank.
QString WordsOf(const QString& text) {
  QString words;
  bool inWord = false;
  for (const QChar c : FoldedText(text)) {
    const bool wordCharacter = c.isLetterOrNumber();
    if (wordCharacter && !inWord) words.append(QLatin1Char(' '));
    if (wordCharacter) words.append(c);
    inWord = wordCharacter;
  }
  return words;
}

QString DigitsOf(const QString& text) {
  QString digits;
  for (const QChar c : text)
    if (c.isDigit()) digits.append(c);
  return digits;
}

// A typed term made only of digits and the punctuation of phone numbers.
bool IsPhoneTerm(const QString& term) {
  static const QRegularExpression phone(QStringLiteral(R"(^[+(]*\d[\d()./+-]*$)"));
  return phone.match(term).hasMatch();
}

}  // namespace

RecordSearchIndex::RecordSearchIndex(const BookState& book) {
  entries_.reserve(book.Records.size());
  for (const AddressRecord& record : book.Records) {
    Entry entry;
    for (const std::string* text : {&record.Name, &record.Company, &record.Notes}) entry.words += WordsOf(ShownText(*text));
    for (const char code : GroupSetOf(record))
      if (const size_t g = static_cast<unsigned char>(code); g < book.Groups.size())
        entry.words += WordsOf(ShownText(book.Groups[g]));
    for (const std::string& phone : record.Phones) {
      const QString digits = DigitsOf(ShownText(phone));
      if (!digits.isEmpty()) entry.digits += QLatin1Char(' ') + digits;
    }
    entries_.push_back(std::move(entry));
  }
}

std::vector<RecordSearchIndex::Term> RecordSearchIndex::TermsOf(const QString& query) {
  std::vector<Term> terms;
  for (const QString& typed : query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
    if (IsPhoneTerm(typed)) {
      const QString digits = DigitsOf(typed);
      terms.push_back({QLatin1Char(' ') + digits, digits});
      continue;
    }
    const QString words = WordsOf(typed);
    for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
      terms.push_back({QLatin1Char(' ') + word, {}});
  }
  return terms;
}

bool RecordSearchIndex::EntryMatches(const Entry& entry, const std::vector<Term>& terms) {
  for (const Term& term : terms) {
    const bool inPhones = !term.digits.isEmpty() && entry.digits.contains(term.digits);
    if (!inPhones && !entry.words.contains(term.word)) return false;
  }
  return true;
}

std::vector<bool> RecordSearchIndex::Matches(const QString& query) const {
  const std::vector<Term> terms = TermsOf(query);
  std::vector<bool> matches(entries_.size());
  for (size_t r = 0; r < entries_.size(); ++r) matches[r] = EntryMatches(entries_[r], terms);
  return matches;
}
