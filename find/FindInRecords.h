#pragma once

#include <optional>
#include <string>

#include "core/BookState.h"
#include "core/ProgramSettings.h"
#include "find/RecordNavigator.h"

// The bits of the search's field mask.
enum SearchFieldBit {
  kSearchName = 1,
  kSearchCompany = 2,
  kSearchAddress = 4,
  kSearchGroup = 8,
  kSearchPhone = 16,
  kSearchNotes = 32,
};

// The searched places of a record, in the order they are looked at.
enum class SearchPlace { Name, Company, Address, Group, Phone1, Phone2, Phone3, Phone4, Notes };

struct SearchMatch {
  int Record;
  SearchPlace Place;
  int Position;  // 0-based, in the field's text
};

// The first match from record start towards one end of the book (direction
// -1 backwards, anything else forwards), or nothing.
std::optional<SearchMatch> FindMatch(const BookState& book, const ProgramSettings::SearchSection& search,
                                     int start, int direction);

// Finds the next match and shows it through the navigator, or says that
// there are no more occurrences.
void FindInRecords(const BookState& book, const ProgramSettings::SearchSection& search,
                   RecordNavigator& navigator, int start, int direction);
