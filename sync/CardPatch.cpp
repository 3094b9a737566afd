#include "sync/CardPatch.h"

#include <algorithm>
#include <climits>
#include <map>
#include <set>

#include "interchange/VCardProperty.h"
#include "interchange/VCardWriter.h"
#include "sync/CardFields.h"

namespace {

// One content line with its original, possibly folded, bytes.
struct CardLine {
  QByteArray Raw;
  VCardProperty Property;
};

std::vector<CardLine> SplitLines(const QByteArray& text) {
  std::vector<CardLine> lines;
  for (QByteArray physical : text.split('\n')) {
    if (physical.endsWith('\r')) physical.chop(1);
    if (!lines.empty() && (physical.startsWith(' ') || physical.startsWith('\t'))) lines.back().Raw += "\r\n" + physical;
    else if (!physical.isEmpty()) lines.push_back({physical, {}});
  }
  for (CardLine& line : lines) {
    bool first = true;
    ForEachContentLine(line.Raw, [&](VCardProperty& property) {
      if (first) line.Property = property;
      if (first && line.Property.Storage.isNull()) line.Property.Storage = line.Raw;  // its bytes, kept with it
      first = false;
    });
  }
  return lines;
}

enum class Unit { Name, Company, PrintAs, Address, Phones, Groups, Notes };
// The units patched as a whole; phones are patched one by one.
constexpr Unit kUnits[] = {Unit::Name, Unit::Company, Unit::PrintAs, Unit::Address, Unit::Groups, Unit::Notes};

Unit UnitOf(CardField field) {
  switch (field) {
    case CardField::Name: return Unit::Name;
    case CardField::Company: return Unit::Company;
    case CardField::PrintAs: return Unit::PrintAs;
    case CardField::Address: return Unit::Address;
    case CardField::Groups: return Unit::Groups;
    case CardField::Notes: return Unit::Notes;
    default: return Unit::Phones;
  }
}

QList<QByteArray> NamesOf(Unit unit) {
  switch (unit) {
    case Unit::Name: return {"FN", "N"};
    case Unit::Company: return {"ORG"};
    case Unit::PrintAs: return {"X-ABSHOWAS", "KIND"};
    case Unit::Address: return {"ADR", "LABEL"};
    case Unit::Phones: return {"TEL", "X-ABLABEL"};
    case Unit::Groups: return {"CATEGORIES"};
    case Unit::Notes: return {"NOTE"};
  }
  return {};
}

int Rank(const VCardProperty& property) { return property.Preference() > 0 ? property.Preference() : INT_MAX; }

// The indexes of the lines of name, the most preferred first, in file order among equals.
std::vector<size_t> Ranked(const std::vector<CardLine>& lines, const QByteArray& name) {
  std::vector<size_t> found;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].Property.Name == name) found.push_back(i);
  std::stable_sort(found.begin(), found.end(), [&](size_t a, size_t b) { return Rank(lines[a].Property) < Rank(lines[b].Property); });
  return found;
}

// The line at index with the lines that belong to it: those of its group,
// and for an address its label.
std::set<size_t> WithItsOwn(const std::vector<CardLine>& lines, size_t index) {
  std::set<size_t> belonging{index};
  const VCardProperty& chosen = lines[index].Property;
  for (size_t j = 0; j < lines.size(); ++j) {
    const VCardProperty& other = lines[j].Property;
    const bool sameGroup = !chosen.Group.isEmpty() && other.Group == chosen.Group;
    const bool label = chosen.Name == "ADR" && other.Name == "LABEL" && other.Types() == chosen.Types();
    if (sameGroup || label) belonging.insert(j);
  }
  return belonging;
}

// The server card's lines that the record's values of unit came from: the
// best address (with its label), and every line of the other units. Phones
// are patched one by one (ReplacePhones).
std::set<size_t> MappedLines(const std::vector<CardLine>& lines, Unit unit) {
  if (unit == Unit::Address) {
    const std::vector<size_t> ranked = Ranked(lines, "ADR");
    return ranked.empty() ? std::set<size_t>{} : WithItsOwn(lines, ranked.front());
  }
  std::set<size_t> mapped;
  for (size_t i = 0; i < lines.size(); ++i)
    if (NamesOf(unit).contains(lines[i].Property.Name)) mapped.insert(i);
  return mapped;
}

// The new card's lines of unit; the writer's "itemN." groups are renamed so
// that they cannot meet a group of the server's card.
std::vector<CardLine> FreshLines(const std::vector<CardLine>& card, Unit unit) {
  std::vector<CardLine> fresh;
  for (CardLine line : card) {
    if (!NamesOf(unit).contains(line.Property.Name)) continue;
    if (!line.Property.Group.isEmpty()) line.Raw.replace(0, line.Property.Group.size(), "vantreo-" + line.Property.Group);
    fresh.push_back(line);
  }
  return fresh;
}

size_t EndLine(const std::vector<CardLine>& lines) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].Property.Name == "END") return i;
  return lines.size();
}

// lines without those dropped, with the lines of inserted put before the line at their key.
void Rebuild(std::vector<CardLine>& lines, const std::set<size_t>& dropped, const std::map<size_t, std::vector<CardLine>>& inserted) {
  std::vector<CardLine> result;
  for (size_t i = 0; i <= lines.size(); ++i) {
    if (const auto at = inserted.find(i); at != inserted.end()) result.insert(result.end(), at->second.begin(), at->second.end());
    if (i < lines.size() && !dropped.count(i)) result.push_back(lines[i]);
  }
  lines = std::move(result);
}

void Replace(std::vector<CardLine>& lines, Unit unit, const std::vector<CardLine>& fresh) {
  const std::set<size_t> mapped = MappedLines(lines, unit);
  Rebuild(lines, mapped, {{mapped.empty() ? EndLine(lines) : *mapped.begin(), fresh}});
}

VCardVersion VersionOf(const std::vector<CardLine>& lines) {
  for (const CardLine& line : lines)
    if (line.Property.Name == "VERSION") return line.Property.Value.trimmed() == "4.0" ? VCardVersion::V4 : VCardVersion::V3;
  return VCardVersion::V3;
}

// The lines the writer gives the record's phone in slot, alone.
std::vector<CardLine> PhoneAlone(const BookState& book, const AddressRecord& record, size_t slot, VCardVersion version) {
  AddressRecord alone = record;
  for (size_t other = 0; other < alone.Phones.size(); ++other)
    if (other != slot) alone.Phones[other].clear();
  return FreshLines(SplitLines(QByteArray::fromStdString(WriteVCard(book, alone, version))), Unit::Phones);
}

// Each changed phone takes the place of the card's phone in its slot (the
// card's phones ranked as the record took them), or, new, comes after the
// card's phones; the card's other phones keep their lines as they are.
void ReplacePhones(std::vector<CardLine>& lines, const CardFields& before, const CardFields& after, const BookState& book,
                   const AddressRecord& record) {
  std::vector<size_t> ranked = Ranked(lines, "TEL");
  std::erase_if(ranked, [&lines](size_t i) { return lines[i].Property.Value.trimmed().isEmpty(); });  // as the record took them
  const size_t afterPhones = ranked.empty() ? EndLine(lines) : *std::max_element(ranked.begin(), ranked.end()) + 1;
  std::set<size_t> dropped;
  std::map<size_t, std::vector<CardLine>> inserted;
  for (size_t slot = 0; slot < before.Phones.size(); ++slot) {
    if (SameField(before, after, static_cast<CardField>(static_cast<size_t>(CardField::Phone1) + slot))) continue;
    const std::set<size_t> old = slot < ranked.size() ? WithItsOwn(lines, ranked[slot]) : std::set<size_t>{};
    dropped.insert(old.begin(), old.end());
    const std::vector<CardLine> fresh = PhoneAlone(book, record, slot, VersionOf(lines));
    std::vector<CardLine>& at = inserted[old.empty() ? afterPhones : *old.begin()];
    at.insert(at.end(), fresh.begin(), fresh.end());
  }
  Rebuild(lines, dropped, inserted);
}

QByteArray Joined(const std::vector<CardLine>& lines) {
  QByteArray text;
  for (const CardLine& line : lines) text += line.Raw + "\r\n";
  return text;
}

}  // namespace

QByteArray NewCard(const BookState& book, const AddressRecord& record) {
  QByteArray text = QByteArray::fromStdString(WriteVCard(book, record, VCardVersion::V3));
  const qsizetype afterVersion = text.indexOf("VERSION:3.0\r\n") + 13;
  return text.insert(afterVersion, "UID:" + QByteArray::fromStdString(record.Uid) + "\r\n");
}

QByteArray PatchedCard(const QByteArray& serverText, const BookState& book, const AddressRecord& record) {
  CardFields before;
  const CardFields after = FieldsOfRecord(book, record);
  if (!FieldsOfCard(serverText, before)) return NewCard(book, record);
  if (before == after) return serverText;
  std::vector<CardLine> lines = SplitLines(serverText);
  const std::vector<CardLine> fresh = SplitLines(QByteArray::fromStdString(WriteVCard(book, record, VersionOf(lines))));
  for (const Unit unit : kUnits) {
    bool changed = false;
    for (int f = 0; f < kCardFieldCount; ++f)
      changed = changed || (UnitOf(static_cast<CardField>(f)) == unit && !SameField(before, after, static_cast<CardField>(f)));
    if (changed) Replace(lines, unit, FreshLines(fresh, unit));
  }
  ReplacePhones(lines, before, after, book, record);
  return Joined(lines);
}
