#include "interchange/SingleByteBook.h"

#include "core/BookText.h"
#include "interchange/LatinText.h"
#include "platform/AnsiText.h"

namespace {

// Calls visit for every text of the book with what it is.
template <class Book, class Visit>
void ForEachText(Book& book, Visit visit) {
  for (auto& name : book.Groups) visit(name, QStringLiteral("Group name"));
  for (auto& name : book.PhoneNames) visit(name, QStringLiteral("Phone name"));
  for (size_t r = 0; r < book.Records.size(); ++r) {
    auto& record = book.Records[r];
    const QString of = QStringLiteral(" of record %1").arg(r + 1);
    visit(record.Name, QStringLiteral("Name") + of);
    visit(record.Company, QStringLiteral("Company") + of);
    visit(record.Address, QStringLiteral("Address") + of);
    for (size_t p = 0; p < record.Phones.size(); ++p)
      visit(record.Phones[p], QStringLiteral("Phone %1").arg(p + 1) + of);
    visit(record.Notes, QStringLiteral("Notes") + of);
  }
}

}  // namespace

QStringList UnstorableInSingleByte(const BookState& book) {
  QStringList lines;
  ForEachText(book, [&lines](const std::string& text, const QString& what) {
    if (const QString shown = ShownText(text); !IsAnsiRepresentable(shown)) lines << what + QStringLiteral(": ") + shown;
  });
  return lines;
}

void ConvertToSingleByte(BookState& book) {
  ForEachText(book, [](std::string& text, const QString&) {
    if (const QString shown = ShownText(text); !IsAnsiRepresentable(shown)) text = StoredText(LatinText(shown));
  });
  book.Edition = BookEdition::SingleByte;
  book.Dirty = true;
}
