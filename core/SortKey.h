#pragma once

#include <array>
#include <cstdint>

// One sort criterion kept with the document.
struct SortKey {
  int16_t SortField = 0;  // 0 none, 1 Name, 2 Company, 3 Address, 4 Group, 5 Notes
  int16_t ByLastName = 0;
  int16_t CaseSensitive = 0;
  int16_t Descending = 0;

  bool operator==(const SortKey&) const = default;
};

enum SortFieldCode : int16_t {
  kSortNone = 0,
  kSortName = 1,
  kSortCompany = 2,
  kSortAddress = 3,
  kSortGroup = 4,
  kSortNotes = 5,
};

using SortKeys = std::array<SortKey, 3>;
