#include <cstdio>

#include "bench/BenchRegistry.h"
#include "core/ProgramSettings.h"
#include "find/FindInRecords.h"
#include "find/SortRecords.h"

namespace {

// True when every record sorts at or after the one before it.
bool InOrder(const BookState& book) {
  for (int r = 1; r < book.RecordCount(); ++r)
    if (CompareRecords(book, r - 1, r) > 0) return false;
  return true;
}

RegisterBenchStep sortByName{"sort by name, last name first", 1.0, [](BookState& book) {
                               book.Keys = {SortKey{kSortName, 1, 0, 0}, SortKey{}, SortKey{}};
                               const double seconds = SecondsOf([&] { SortRecords(book); });
                               if (InOrder(book)) return seconds;
                               std::fprintf(stderr, "the sorted book is out of order\n");
                               return 1e9;  // a wrong sort must not pass for a fast one
                             }};

RegisterBenchStep searchNothing{"search that finds nothing", 0.3, [](BookState& book) {
                                  ProgramSettings::SearchSection search;
                                  search.SearchString = "Quixotic";
                                  search.MatchCase = false;
                                  search.AllFields = true;
                                  bool found = false;
                                  const double seconds =
                                      SecondsOf([&] { found = FindMatch(book, search, 0, 1).has_value(); });
                                  if (!found) return seconds;
                                  std::fprintf(stderr, "the search text is in the generated book\n");
                                  return 1e9;
                                }};

}  // namespace
