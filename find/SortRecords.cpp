#include "find/SortRecords.h"

#include <cmath>
#include <variant>
#include <vector>

#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "find/LastNameFirst.h"
#include "platform/AnsiText.h"
#include "platform/BusyPointer.h"
#include "platform/Collation.h"

namespace {

bool IsUsed(const SortKey& key) { return key.SortField >= kSortName && key.SortField <= kSortNotes; }

// The options are check box values: only 1 turns by-last-name and case
// sensitivity on, as the sort dialog shows them. Descending is any non-zero.
bool ByLastName(const SortKey& key) { return key.ByLastName == 1; }
bool CaseSensitive(const SortKey& key) { return key.CaseSensitive == 1; }

int Directed(int result, const SortKey& key) { return key.Descending ? -result : result; }

// Half the count, rounded to the nearest whole number with halves to even.
int HalfGap(int count) { return static_cast<int>(std::nearbyint(count / 2.0)); }

// The key of one record for one priority, worked out once per sort. Ignoring
// case, text sorts by the user's locale. Matching case, an old-edition book
// sorts by windows-1252 code as it always has, a Unicode book by the locale
// with case.
using CachedKey = std::variant<std::monostate, std::string, CollationKey>;

CachedKey CacheKey(const BookState& book, const AddressRecord& record, const SortKey& key) {
  if (!IsUsed(key)) return std::monostate{};
  std::string text = SortKeyText(book, record, key);
  if (!CaseSensitive(key)) return CollationKey(text, Qt::CaseInsensitive);
  if (book.IsUnicode()) return CollationKey(text, Qt::CaseSensitive);
  std::string codes;
  Utf8ToAnsi(text, codes);
  return codes;
}

int CompareCached(const CachedKey& a, const CachedKey& b) {
  if (const auto* bytes = std::get_if<std::string>(&a)) return CompareBytes(*bytes, std::get<std::string>(b));
  if (const auto* text = std::get_if<CollationKey>(&a)) return text->Compare(std::get<CollationKey>(b));
  return 0;
}

class KeyTable {
 public:
  explicit KeyTable(const BookState& book) : keys_(book.Keys), cached_(book.Records.size()) {
    for (size_t r = 0; r < book.Records.size(); ++r)
      for (size_t p = 0; p < 3; ++p) cached_[r][p] = CacheKey(book, book.Records[r], keys_[p]);
  }

  int Compare(int a, int b) const {
    for (size_t p = 0; p < 3; ++p) {
      const int result = CompareCached(cached_[static_cast<size_t>(a)][p], cached_[static_cast<size_t>(b)][p]);
      if (result != 0) return Directed(result, keys_[p]);
    }
    return 0;
  }

 private:
  const SortKeys& keys_;
  std::vector<std::array<CachedKey, 3>> cached_;
};

}  // namespace

std::string SortKeyText(const BookState& book, const AddressRecord& record, const SortKey& key) {
  switch (key.SortField) {
    case kSortName: return ByLastName(key) ? LastNameFirst(record.Name) : record.Name;
    case kSortCompany: return record.Company;
    case kSortAddress: return record.Address;
    case kSortGroup: return GroupText(book, record);
    case kSortNotes: return record.Notes;
    default: return {};
  }
}

int CompareRecords(const BookState& book, int a, int b) {
  const AddressRecord& first = book.Records.at(static_cast<size_t>(a));
  const AddressRecord& second = book.Records.at(static_cast<size_t>(b));
  for (const SortKey& key : book.Keys) {
    const int result = CompareCached(CacheKey(book, first, key), CacheKey(book, second, key));
    if (result != 0) return Directed(result, key);
  }
  return 0;
}

void SortRecords(BookState& book) {
  if (book.RecordCount() == 0) {
    ShowMessage(MessageKind::Notice, QStringLiteral("There are no records to sort."));
    return;
  }
  const BusyCursor busy;
  // The procedure runs on positions holding record numbers, so each record's
  // keys are worked out once; the records move to their places at the end.
  const KeyTable keys(book);
  const int count = book.RecordCount();
  std::vector<int> order(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) order[static_cast<size_t>(i)] = i;
  for (int gap = HalfGap(count); gap > 0; gap = HalfGap(gap)) {
    for (int i = gap; i < count; ++i) {
      for (int j = i - gap; j >= 0 && keys.Compare(order[static_cast<size_t>(j)], order[static_cast<size_t>(j + gap)]) > 0;
           j -= gap)
        std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(j + gap)]);
    }
  }
  std::vector<AddressRecord> sorted;
  sorted.reserve(static_cast<size_t>(count));
  for (const int r : order) sorted.push_back(std::move(book.Records[static_cast<size_t>(r)]));
  book.Records = std::move(sorted);
  book.Dirty = true;
}
