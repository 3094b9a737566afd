#include "interchange/ImportPlan.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include <QHash>
#include <QSet>
#include <QLocale>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/CsvColumns.h"
#include "interchange/LatinText.h"
#include "interchange/TextDecoding.h"
#include "core/BookText.h"
#include "platform/AnsiText.h"
#include "platform/Collation.h"

namespace {

constexpr qsizetype kLongestSingleByteValue = 65535;
constexpr qsizetype kShownPerList = 20;

// Names and companies compared ignoring letter case and blanks; plain ASCII,
// the usual text, folded here without converting it twice.
QString ComparisonKey(const std::string& text) {
  if (IsAscii(text)) {
    QString key(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = key.data();
    for (const char c : text)
      if (c != ' ' && (c < '\t' || c > '\r')) *out++ = QLatin1Char(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
    key.truncate(out - key.constData());
    return key;
  }
  QString key = ShownText(text).toCaseFolded();
  key.removeIf([](QChar c) { return c.isSpace(); });
  return key;
}

QString DigitsOf(const QString& phone) {
  QString digits(phone.size(), Qt::Uninitialized);
  QChar* out = digits.data();
  for (const QChar c : phone)
    if (c >= '0' && c <= '9') *out++ = c;
  digits.truncate(out - digits.constData());
  return digits;
}

// What contacts and records are compared by.
struct Likeness {
  QString Name;
  QString Company;
  QStringList PhoneDigits;
};

Likeness LikenessOf(const AddressRecord& record) {
  Likeness likeness{ComparisonKey(record.Name), ComparisonKey(record.Company), {}};
  for (const std::string& phone : record.Phones)
    if (const QString digits = DigitsOf(ShownText(phone)); !digits.isEmpty()) likeness.PhoneDigits << digits;
  return likeness;
}

// Same name and the same phone digits or the same company.
bool LooksAlike(const Likeness& a, const Likeness& b) {
  if (!a.Company.isEmpty() && a.Company == b.Company) return true;
  return std::any_of(a.PhoneDigits.begin(), a.PhoneDigits.end(),
                     [&](const QString& digits) { return b.PhoneDigits.contains(digits); });
}

// The most preferred first, the ones not marked last.
template <class Value>
int Rank(const Value& value) {
  return value.Preference > 0 ? value.Preference : INT_MAX;
}

QString ShortText(const QString& text) {
  const QString flat = WithPlainLineBreaks(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return flat.size() > 40 ? flat.left(39) + QChar(0x2026) : flat;
}

// Works out the records of one import, contact by contact.
class Planner {
 public:
  Planner(const BookState& book, bool skipDuplicates) : book_(book) {
    plan_.DuplicatesSkipped = skipDuplicates;
    room_ = kMaxRecords - book.RecordCount();
    for (int g = 0; g < book.GroupCount(); ++g) RememberName(groups_, book.Groups[static_cast<size_t>(g)], g);
    for (int p = 0; p < book.PhoneNameCount(); ++p) RememberName(phoneNames_, book.PhoneNames[static_cast<size_t>(p)], p);
    for (int r = 0; r < book.RecordCount(); ++r) {
      Likeness likeness = LikenessOf(book.Records[static_cast<size_t>(r)]);
      recordsByName_[likeness.Name].push_back({r, std::move(likeness)});
    }
  }

  void Add(const ImportedContact& contact);
  // Room for about this many contacts, so that the plan's lists grow once.
  void Expect(size_t contacts) {
    plan_.Contacts.reserve(contacts);
    plan_.Records.reserve(std::min(contacts, static_cast<size_t>(std::max(room_, 0))));
  }
  ImportPlan Result() { return std::move(plan_); }

 private:
  struct NameIndex {
    QHash<std::string, int> Exact;
    QHash<QString, int> IgnoringCase;
  };

  static void RememberName(NameIndex& index, const std::string& name, int position) {
    if (!index.Exact.contains(name)) index.Exact.insert(name, position);
    const QString folded = ShownText(name).toCaseFolded();
    if (!index.IgnoringCase.contains(folded)) index.IgnoringCase.insert(folded, position);
  }

  static int Lookup(const NameIndex& index, const std::string& name) {
    if (const auto exact = index.Exact.constFind(name); exact != index.Exact.constEnd()) return *exact;
    const auto folded = index.IgnoringCase.constFind(ShownText(name).toCaseFolded());
    return folded == index.IgnoringCase.constEnd() ? -1 : *folded;
  }

  std::string Text(const QString& value, bool multiLine, const char* field);
  int FindDuplicate(const ImportedContact& contact, const AddressRecord& record) const;
  bool WillAdd(const ImportedContact& contact, const AddressRecord& record);
  int PhoneNameIndexOf(const std::string& name);
  int GroupIndexOf(const std::string& name);
  static int IndexCreatingName(NameIndex& index, std::vector<std::string>& created, int existing, int limit,
                               const std::string& name);
  void PlacePhones(const ImportedContact& contact, AddressRecord& record, std::vector<ContactExtra>& extras);
  void PlaceGroups(const ImportedContact& contact, AddressRecord& record, std::vector<ContactExtra>& extras);
  const std::string& GroupName(int index) const;
  bool GroupBefore(int a, int b);
  std::string NotesOf(const ImportedContact& contact, std::vector<ContactExtra>& extras);

  const BookState& book_;
  ImportPlan plan_;
  int room_ = 0;
  QString contact_;  // the contact being planned, as the summary names it
  int contactIndex_ = -1;
  NameIndex groups_, phoneNames_;
  struct KnownRecord {
    int Index;
    Likeness Features;
  };
  QHash<QString, std::vector<KnownRecord>> recordsByName_;
  QSet<QString> groupsNotCreated_, phoneNamesNotCreated_;
  enum : int8_t { kUnknownOrder, kBefore, kNotBefore };
  std::vector<int8_t> groupOrder_;  // of each pair of group indexes, kMaxGroups to a row
};

// The stored text of a value of ASCII, the usual value, made in one pass:
// such text needs no transliteration or normalization, and each line break
// ("\r\n", "\r" or "\n") becomes "\r\n", or a blank on a single line.
// False for any other value, and for one the data file may have to cut.
bool AsciiText(const QString& value, bool multiLine, std::string& stored) {
  if (value.size() > kLongestSingleByteValue) return false;  // a long text is never held twice over
  stored.resize(static_cast<size_t>(value.size()) * (multiLine ? 2 : 1));  // a line break becomes at most two bytes
  char* out = stored.data();
  for (qsizetype i = 0; i < value.size(); ++i) {
    const char16_t c = value[i].unicode();
    if (c >= 0x80) return false;
    if (c != '\r' && c != '\n') {
      *out++ = static_cast<char>(c);
      continue;
    }
    if (multiLine) *out++ = '\r';
    *out++ = multiLine ? '\n' : ' ';
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
  }
  stored.resize(static_cast<size_t>(out - stored.data()));
  return stored.size() <= static_cast<size_t>(kLongestSingleByteValue);
}

std::string Planner::Text(const QString& value, bool multiLine, const char* field) {
  if (std::string stored; AsciiText(value, multiLine, stored)) return stored;
  const bool singleByte = book_.Edition == BookEdition::SingleByte;
  QString text = value;
  if (singleByte && !IsAnsiRepresentable(text)) {
    text = LatinText(value);
    plan_.Transliterated.push_back({contact_, QString::fromLatin1(field), value, text});
  }
  // Split and joined: replacing each line break in place would move the rest of a long text every time.
  if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
    text = WithPlainLineBreaks(text).split(QLatin1Char('\n')).join(multiLine ? QStringLiteral("\r\n") : QStringLiteral(" "));
  if (singleByte && text.size() > kLongestSingleByteValue) {
    text.truncate(kLongestSingleByteValue);
    plan_.Cut.push_back({contact_, QString::fromLatin1(field), {}, {}});
  }
  return StoredText(text);
}

// The record of the book that the contact, planned as record, looks like,
// or -1. Its company and numbers are compared only when a name is the same.
int Planner::FindDuplicate(const ImportedContact& contact, const AddressRecord& record) const {
  if (recordsByName_.isEmpty()) return -1;
  const auto same = recordsByName_.constFind(ComparisonKey(record.Name));
  if (same == recordsByName_.constEnd()) return -1;
  Likeness likeness{same.key(), ComparisonKey(record.Company), {}};
  for (const ContactPhone& phone : contact.Phones)
    if (const QString digits = DigitsOf(phone.Number); !digits.isEmpty()) likeness.PhoneDigits << digits;
  for (const KnownRecord& known : *same)
    if (LooksAlike(likeness, known.Features)) return known.Index;
  return -1;
}

// The index of a name in a list of existing entries followed by the created
// ones, created when missing; -1 when the list is full.
int Planner::IndexCreatingName(NameIndex& index, std::vector<std::string>& created, int existing, int limit,
                               const std::string& name) {
  int position = Lookup(index, name);
  if (position >= 0) return position;
  position = existing + static_cast<int>(created.size());
  if (position >= limit) return -1;
  created.push_back(name);
  RememberName(index, name, position);
  return position;
}

int Planner::PhoneNameIndexOf(const std::string& name) {
  return IndexCreatingName(phoneNames_, plan_.NewPhoneNames, book_.PhoneNameCount(), kMaxPhoneNames, name);
}

int Planner::GroupIndexOf(const std::string& name) {
  return IndexCreatingName(groups_, plan_.NewGroups, book_.GroupCount(), kMaxGroups, name);
}

// Which phones win the four slots: those marked preferred, then by kind.
int KindRank(const ContactPhone& phone) {
  static const QLatin1String order[] = {QLatin1String("mobile"), QLatin1String("home"), QLatin1String("work"),
                                        QLatin1String("main"),   QLatin1String("other"), QLatin1String(""),
                                        QLatin1String("fax"),    QLatin1String("pager")};
  constexpr int kFax = 6, kCustom = 5;  // a custom or missing phone name ranks with "Other"
  const QStringView name = QStringView(phone.PhoneName).trimmed();
  for (int rank = 0; rank < static_cast<int>(std::size(order)); ++rank)
    if (name.size() == order[rank].size() && name.compare(order[rank], Qt::CaseInsensitive) == 0) return rank;
  return name.contains(QLatin1String("fax"), Qt::CaseInsensitive) ? kFax : kCustom;
}

// std::stable_sort, which takes a buffer from the heap however short the
// range, only for a range that is not in order yet: most are.
template <class Iterator, class Less>
void StableSort(Iterator first, Iterator last, Less less) {
  if (!std::is_sorted(first, last, less)) std::stable_sort(first, last, less);
}

// The indexes of the phones in the order they take the slots: the four that win, most
// preferred first and otherwise in file order, then the rest in file order.
std::vector<size_t> PhonesBySlot(const std::vector<ContactPhone>& phones, size_t slots) {
  std::vector<size_t> order(phones.size());
  std::vector<std::pair<int, int>> ranks(phones.size());
  for (size_t i = 0; i < order.size(); ++i) {
    order[i] = i;
    ranks[i] = {Rank(phones[i]), KindRank(phones[i])};
  }
  StableSort(order.begin(), order.end(), [&](size_t a, size_t b) { return ranks[a] < ranks[b]; });
  const auto kept = order.begin() + static_cast<std::ptrdiff_t>(std::min(slots, order.size()));
  StableSort(order.begin(), kept, [&](size_t a, size_t b) {
    return std::pair(Rank(phones[a]), a) < std::pair(Rank(phones[b]), b);
  });
  std::sort(kept, order.end());
  return order;
}

void Planner::PlacePhones(const ImportedContact& contact, AddressRecord& record, std::vector<ContactExtra>& extras) {
  record.PhoneNameIndex = book_.DefaultPhoneNames;
  size_t slot = 0;
  for (const size_t index : PhonesBySlot(contact.Phones, record.Phones.size())) {
    const ContactPhone& phone = contact.Phones[index];
    // Numbers beyond the four slots, and those whose phone name the full list cannot take, go to Notes;
    // a number without a phone name stays without one.
    const bool named = !IsBlank(phone.PhoneName);
    const int name = slot >= record.Phones.size() ? -2
                     : named                      ? PhoneNameIndexOf(Text(phone.PhoneName, false, "Phone name"))
                                                  : -1;
    if (name == -2 || (named && name < 0)) {
      if (slot < record.Phones.size() && !phoneNamesNotCreated_.contains(phone.PhoneName)) {
        phoneNamesNotCreated_.insert(phone.PhoneName);
        plan_.PhoneNamesNotCreated << phone.PhoneName;
      }
      extras.push_back({kNotesPhone, named ? QStringLiteral("Phone (%1)").arg(phone.PhoneName) : QStringLiteral("Phone"),
                        phone.Number});
      continue;
    }
    record.Phones[slot] = Text(phone.Number, false, "Phone");
    record.PhoneNameIndex[slot] = static_cast<int16_t>(name);
    ++slot;
  }
}

const std::string& Planner::GroupName(int index) const {
  return index < book_.GroupCount() ? book_.Groups[static_cast<size_t>(index)]
                                    : plan_.NewGroups[static_cast<size_t>(index - book_.GroupCount())];
}

// Each pair of groups is compared by the collator once: the names do not
// change while an import is planned, and most records hold the same groups.
bool Planner::GroupBefore(int a, int b) {
  if (groupOrder_.empty()) groupOrder_.assign(static_cast<size_t>(kMaxGroups) * kMaxGroups, kUnknownOrder);
  int8_t& known = groupOrder_[static_cast<size_t>(a) * kMaxGroups + static_cast<size_t>(b)];
  if (known == kUnknownOrder) known = CompareUtf8IgnoringCase(GroupName(a), GroupName(b)) < 0 ? kBefore : kNotBefore;
  return known == kBefore;
}

// Groups by name, created when missing; stored in the order of the group
// list as the window shows it, alphabetical.
void Planner::PlaceGroups(const ImportedContact& contact, AddressRecord& record, std::vector<ContactExtra>& extras) {
  std::vector<int> indexes;
  for (const QString& category : contact.Categories) {
    const std::string name = Text(category, false, "Group");
    const int index = GroupIndexOf(name);
    if (index < 0) {
      extras.push_back({kNotesGroup, QStringLiteral("Group"), category});
      if (!groupsNotCreated_.contains(category)) {
        groupsNotCreated_.insert(category);
        plan_.GroupsNotCreated << category;
      }
    } else if (std::find(indexes.begin(), indexes.end(), index) == indexes.end()) {
      indexes.push_back(index);
    }
  }
  StableSort(indexes.begin(), indexes.end(), [this](int a, int b) { return GroupBefore(a, b); });
  std::string set;
  for (const int index : indexes) set += static_cast<char>(index);
  StoreGroupSet(record, set);
}

std::string Planner::NotesOf(const ImportedContact& contact, std::vector<ContactExtra>& extras) {
  if (extras.empty()) return Text(contact.Note, true, "Notes");
  StableSort(extras.begin(), extras.end(), [](const ContactExtra& a, const ContactExtra& b) { return a.Rank < b.Rank; });
  QStringList lines;
  if (!contact.Note.isEmpty()) lines << contact.Note;
  QStringList labels;
  QSet<QString> labelled;
  for (const ContactExtra& extra : extras) {
    lines << extra.Label + QStringLiteral(": ") + QString(extra.Value).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!labelled.contains(extra.Label)) {
      labelled.insert(extra.Label);
      labels << extra.Label;
    }
  }
  if (!labels.isEmpty()) plan_.MovedToNotes << contact_ + QStringLiteral(": ") + labels.join(QStringLiteral(", "));
  return Text(lines.join(QLatin1Char('\n')), true, "Notes");
}

// False for a likely duplicate that is to be skipped and for a contact
// beyond the largest record count.
bool Planner::WillAdd(const ImportedContact& contact, const AddressRecord& record) {
  const int duplicate = FindDuplicate(contact, record);
  plan_.Contacts.push_back({contact_, -1, duplicate, {}, false});
  if (duplicate >= 0) {
    plan_.Duplicates.push_back({contact_, duplicate, contactIndex_});
    if (plan_.DuplicatesSkipped) return false;
  }
  if (room_ <= 0) {
    ++plan_.NotAddedForRoom;
    plan_.Contacts.back().NoRoom = true;
    return false;
  }
  --room_;
  return true;
}

void Planner::Add(const ImportedContact& contact) {
  ++contactIndex_;
  const QString name = contact.Name.trimmed(), company = contact.Company.trimmed();
  contact_ = !name.isEmpty() ? name : !company.isEmpty() ? company : QStringLiteral("(no name)");
  const size_t transliterated = plan_.Transliterated.size(), cut = plan_.Cut.size();
  AddressRecord record;
  record.Name = Text(contact.Name, false, "Name");
  record.Company = Text(contact.Company, false, "Company");
  const bool business = contact.IsBusiness || (!company.isEmpty() && !contact.HasPersonalName);
  record.PrintAs = business ? kPrintAsBusiness : kPrintAsPerson;
  record.WhichPhone = 0;
  if (!WillAdd(contact, record)) {
    plan_.Transliterated.resize(transliterated);
    plan_.Cut.resize(cut);
    return;
  }

  std::vector<ContactExtra> extras = contact.Extras;
  const auto chosen = std::min_element(contact.Addresses.begin(), contact.Addresses.end(),
                                       [](const ContactAddress& a, const ContactAddress& b) { return Rank(a) < Rank(b); });
  for (auto address = contact.Addresses.begin(); address != contact.Addresses.end(); ++address) {
    if (address == chosen) {
      record.Address = Text(address->Lines.join(QLatin1Char('\n')), true, "Address");
    } else {
      const QString label = address->Kind.isEmpty() ? QStringLiteral("Address") : QStringLiteral("Address (%1)").arg(address->Kind);
      extras.push_back({kNotesAddress, label, address->Lines.join(QStringLiteral(", "))});
    }
  }
  PlacePhones(contact, record, extras);
  PlaceGroups(contact, record, extras);
  record.Notes = NotesOf(contact, extras);
  PlannedContact& planned = plan_.Contacts.back();
  planned.Record = static_cast<int>(plan_.Records.size());
  for (size_t c = cut; c < plan_.Cut.size(); ++c) planned.CutFields << plan_.Cut[c].Field;
  plan_.Records.push_back(std::move(record));
}

void AddList(QStringList& lines, const QString& title, const QStringList& items) {
  if (items.isEmpty()) return;
  lines << QStringLiteral("%1 (%2):").arg(title).arg(items.size());
  for (qsizetype i = 0; i < std::min(items.size(), kShownPerList); ++i) lines << QStringLiteral("    ") + items[i];
  if (items.size() > kShownPerList) lines << QStringLiteral("    ... and %1 more").arg(items.size() - kShownPerList);
}

// The first names of a list on one line, and how many more there are.
QString ShortList(const QStringList& names) {
  const QString shown = names.mid(0, kShownPerList).join(QStringLiteral(", "));
  return names.size() > kShownPerList ? shown + QStringLiteral(", ... and %1 more").arg(names.size() - kShownPerList) : shown;
}

QStringList ShownList(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << ShownText(name);
  return list;
}

// How often text holds word; the search finds each first byte with memchr.
size_t Occurrences(const QByteArray& text, std::string_view word) {
  const std::string_view all(text.constData(), static_cast<size_t>(text.size()));
  size_t count = 0;
  for (size_t at = all.find(word); at != std::string_view::npos; at = all.find(word, at + word.size())) ++count;
  return count;
}

// About how many contacts the sources hold.
size_t ExpectedContacts(const std::vector<ImportSource>& sources) {
  size_t count = 0;
  for (const ImportSource& source : sources)
    count += source.Format == ImportFormat::Csv ? static_cast<size_t>(source.Table.RowCount())
             : source.CardText.isEmpty()        ? source.Cards.Contacts.size()
                                                : Occurrences(source.CardText, "BEGIN:VCARD");
  return count;
}

}  // namespace

ImportPlan PlanImport(const BookState& book, const ReadResult& read, bool skipDuplicates) {
  Planner planner(book, skipDuplicates);
  for (const ImportedContact& contact : read.Contacts) planner.Add(contact);
  ImportPlan plan = planner.Result();
  plan.Skipped = read.Skipped;
  plan.BinaryValuesSkipped = read.BinaryValuesSkipped;
  return plan;
}

ImportPlan PlanImport(const BookState& book, const std::vector<ImportSource>& sources, bool skipDuplicates) {
  Planner planner(book, skipDuplicates);
  planner.Expect(ExpectedContacts(sources));
  std::vector<SkippedEntry> skipped;
  int binaries = 0;
  for (const ImportSource& source : sources) {
    const bool vcard = source.Format == ImportFormat::VCard;
    const auto add = [&planner](const ImportedContact& contact) { planner.Add(contact); };
    if (vcard) {
      const ReadResult read = ReadCardsOf(source, add);
      skipped.insert(skipped.end(), read.Skipped.begin(), read.Skipped.end());
      binaries += read.BinaryValuesSkipped;
    } else {
      ForEachContactOfCsv(source.Table, source.Columns, add);
      skipped.insert(skipped.end(), source.Table.Skipped.begin(), source.Table.Skipped.end());
    }
  }
  ImportPlan plan = planner.Result();
  plan.Skipped = std::move(skipped);
  plan.BinaryValuesSkipped = binaries;
  return plan;
}

int ApplyImport(BookState& book, ImportPlan plan) {
  for (const std::string& group : plan.NewGroups) AddGroup(book, group);
  for (const std::string& phoneName : plan.NewPhoneNames) AddPhoneName(book, phoneName);
  if (plan.Records.empty()) return 0;
  const int first = book.RecordCount();
  if (book.Records.empty())
    book.Records = std::move(plan.Records);
  else
    book.Records.insert(book.Records.end(), std::make_move_iterator(plan.Records.begin()),
                        std::make_move_iterator(plan.Records.end()));
  for (auto record = book.Records.begin() + first; record != book.Records.end(); ++record) StampChange(book, *record);
  book.CurrentRecord = first;
  book.Dirty = true;
  return book.RecordCount() - first;
}

QStringList ImportSummary(const ImportPlan& plan) {
  const QLocale c = QLocale::c();
  QStringList lines;
  lines << QStringLiteral("Contacts to add: %1").arg(plan.Records.size());
  if (!plan.NewGroups.empty()) lines << QStringLiteral("Groups to create: ") + ShownList(plan.NewGroups).join(QStringLiteral(", "));
  if (!plan.NewPhoneNames.empty()) lines << QStringLiteral("Phone names to create: ") + ShortList(ShownList(plan.NewPhoneNames));
  QStringList duplicates;
  for (const LikelyDuplicate& duplicate : plan.Duplicates)
    duplicates << QStringLiteral("%1 (like record %2)").arg(duplicate.Contact).arg(duplicate.ExistingRecord + 1);
  AddList(lines, plan.DuplicatesSkipped ? QStringLiteral("Likely duplicates, skipped") : QStringLiteral("Likely duplicates, added all the same"), duplicates);
  AddList(lines, QStringLiteral("Values moved to Notes"), plan.MovedToNotes);
  QStringList changed;
  for (const ChangedValue& value : plan.Transliterated)
    changed << QStringLiteral("%1, %2: \"%3\" \u2192 \"%4\"").arg(value.Contact, value.Field, ShortText(value.Before), ShortText(value.After));
  AddList(lines, QStringLiteral("Values transliterated to Latin letters"), changed);
  QStringList cut;
  for (const ChangedValue& value : plan.Cut) cut << value.Contact + QStringLiteral(", ") + value.Field;
  AddList(lines, QStringLiteral("Values cut to %1 bytes").arg(c.toString(static_cast<int>(kLongestSingleByteValue))), cut);
  if (!plan.GroupsNotCreated.isEmpty())
    lines << QStringLiteral("Groups not created, the book holds at most %1 groups (kept in Notes): ").arg(kMaxGroups) +
                 plan.GroupsNotCreated.join(QStringLiteral(", "));
  AddList(lines,
          QStringLiteral("Phone names beyond the %1 a book holds, their numbers kept in Notes")
              .arg(QLocale(QLocale::English).toString(kMaxPhoneNames)),
          plan.PhoneNamesNotCreated);
  if (plan.NotAddedForRoom > 0)
    lines << QStringLiteral("Contacts not added, the book holds at most %1 records: %2")
                 .arg(c.toString(kMaxRecords)).arg(plan.NotAddedForRoom);
  QStringList skipped;
  for (const SkippedEntry& entry : plan.Skipped)
    skipped << QStringLiteral("%1, line %2: %3").arg(entry.Source).arg(entry.Line).arg(entry.Reason);
  AddList(lines, QStringLiteral("Skipped cards and rows"), skipped);
  if (plan.BinaryValuesSkipped > 0)
    lines << QStringLiteral("Pictures, sounds and keys skipped: %1").arg(plan.BinaryValuesSkipped);
  return lines;
}
