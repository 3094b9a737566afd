#include "sync/CardPatch.h"

#include <algorithm>
#include <climits>
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
      first = false;
    });
  }
  return lines;
}

enum class Unit { Name, Company, PrintAs, Address, Phones, Groups, Notes };
constexpr Unit kUnits[] = {Unit::Name, Unit::Company, Unit::PrintAs, Unit::Address, Unit::Phones, Unit::Groups, Unit::Notes};

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

// The server card's lines that the record's values of unit came from: the
// best address (with its label), the best four phones (with their labels),
// and every line of the other units.
std::set<size_t> MappedLines(const std::vector<CardLine>& lines, Unit unit) {
  std::set<size_t> mapped;
  if (unit == Unit::Address || unit == Unit::Phones) {
    std::vector<size_t> ranked = Ranked(lines, unit == Unit::Address ? "ADR" : "TEL");
    ranked.resize(std::min<size_t>(ranked.size(), unit == Unit::Address ? 1 : 4));
    for (const size_t i : ranked) {
      mapped.insert(i);
      const VCardProperty& chosen = lines[i].Property;
      for (size_t j = 0; j < lines.size(); ++j) {
        const VCardProperty& other = lines[j].Property;
        const bool sameGroup = !chosen.Group.isEmpty() && other.Group == chosen.Group;
        const bool label = unit == Unit::Address && other.Name == "LABEL" && other.Types() == chosen.Types();
        if (sameGroup || label) mapped.insert(j);
      }
    }
    return mapped;
  }
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

void Replace(std::vector<CardLine>& lines, Unit unit, const std::vector<CardLine>& fresh) {
  const std::set<size_t> mapped = MappedLines(lines, unit);
  size_t at = mapped.empty() ? lines.size() : *mapped.begin();
  if (mapped.empty())
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].Property.Name == "END") at = i;
  std::vector<CardLine> result;
  for (size_t i = 0; i <= lines.size(); ++i) {
    if (i == at) result.insert(result.end(), fresh.begin(), fresh.end());
    if (i < lines.size() && !mapped.count(i)) result.push_back(lines[i]);
  }
  lines = std::move(result);
}

QByteArray Joined(const std::vector<CardLine>& lines) {
  QByteArray text;
  for (const CardLine& line : lines) text += line.Raw + "\r\n";
  return text;
}

VCardVersion VersionOf(const std::vector<CardLine>& lines) {
  for (const CardLine& line : lines)
    if (line.Property.Name == "VERSION") return line.Property.Value.trimmed() == "4.0" ? VCardVersion::V4 : VCardVersion::V3;
  return VCardVersion::V3;
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
  return Joined(lines);
}
