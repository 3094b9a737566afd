#include "find/FindInRecords.h"

#include "core/ErrorReport.h"
#include "core/GroupMembership.h"
#include "core/BookText.h"
#include "platform/CaseFolding.h"

namespace {

struct Place {
  SearchPlace place;
  int bit;
};

constexpr Place kPlaces[] = {
    {SearchPlace::Name, kSearchName},     {SearchPlace::Company, kSearchCompany},
    {SearchPlace::Address, kSearchAddress}, {SearchPlace::Group, kSearchGroup},
    {SearchPlace::Phone1, kSearchPhone},  {SearchPlace::Phone2, kSearchPhone},
    {SearchPlace::Phone3, kSearchPhone},  {SearchPlace::Phone4, kSearchPhone},
    {SearchPlace::Notes, kSearchNotes},
};

std::string TextAt(const BookState& book, const AddressRecord& record, SearchPlace place) {
  switch (place) {
    case SearchPlace::Name: return record.Name;
    case SearchPlace::Company: return record.Company;
    case SearchPlace::Address: return record.Address;
    case SearchPlace::Group: return GroupText(book, record);
    case SearchPlace::Notes: return record.Notes;
    default: return record.Phones[static_cast<size_t>(place) - static_cast<size_t>(SearchPlace::Phone1)];
  }
}

// Position of needle in text as the box shows it (in UTF-16 units), or -1.
// Ignoring case compares the texts by Unicode case folding, so accented and
// non-Latin capitals match too.
int PositionIn(const std::string& text, const std::string& needle, bool matchCase) {
  if (matchCase) {
    const size_t found = text.find(needle);
    return found == std::string::npos ? -1 : static_cast<int>(ShownText(text.substr(0, found)).size());
  }
  return static_cast<int>(IndexOfIgnoringCase(ShownText(text), ShownText(needle)));
}

std::optional<SearchMatch> MatchIn(const BookState& book, const ProgramSettings::SearchSection& search, int r) {
  const AddressRecord& record = book.Records[static_cast<size_t>(r)];
  for (const Place& place : kPlaces) {
    if (!search.AllFields && !(search.WhichFields & place.bit)) continue;
    const int position = PositionIn(TextAt(book, record, place.place), search.SearchString, search.MatchCase);
    if (position >= 0) return SearchMatch{r, place.place, position};
  }
  return std::nullopt;
}

void ShowMatch(const SearchMatch& match, RecordNavigator& navigator) {
  navigator.GoToRecord(match.Record);
  switch (match.Place) {
    case SearchPlace::Group: navigator.FocusGroupList(); return;
    case SearchPlace::Name: navigator.PlaceCaret(0, match.Position); return;
    case SearchPlace::Company: navigator.PlaceCaret(1, match.Position); return;
    case SearchPlace::Address: navigator.PlaceCaret(2, match.Position); return;
    case SearchPlace::Notes: navigator.PlaceCaret(4, match.Position); return;
    default:
      navigator.ShowPhoneSlot(static_cast<int>(match.Place) - static_cast<int>(SearchPlace::Phone1));
      navigator.PlaceCaret(3, match.Position);
  }
}

}  // namespace

std::optional<SearchMatch> FindMatch(const BookState& book, const ProgramSettings::SearchSection& search,
                                     int start, int direction) {
  if (direction != -1) direction = 1;
  const int last = direction == -1 ? 0 : book.RecordCount() - 1;
  if (direction == -1 ? start < 0 : start > last) return std::nullopt;
  for (int r = start;; r += direction) {
    if (r < 0 || r >= book.RecordCount()) return std::nullopt;  // a start beyond the far end
    if (auto match = MatchIn(book, search, r)) return match;
    if (r == last) return std::nullopt;
  }
}

void FindInRecords(const BookState& book, const ProgramSettings::SearchSection& search,
                   RecordNavigator& navigator, int start, int direction) {
  if (const auto match = FindMatch(book, search, start, direction)) {
    ShowMatch(*match, navigator);
    return;
  }
  ShowMessage(MessageKind::Notice,
              QStringLiteral("No more occurrences of '%1'.").arg(ShownText(search.SearchString)));
}
