#include "sync/CardFields.h"

#include <algorithm>
#include <climits>

#include "core/BookText.h"
#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"

namespace {

template <class Value>
int Rank(const Value& value) {
  return value.Preference > 0 ? value.Preference : INT_MAX;
}

int PhoneSlot(CardField field) { return static_cast<int>(field) - static_cast<int>(CardField::Phone1); }
bool IsPhone(CardField field) { return field >= CardField::Phone1 && field <= CardField::Phone4; }

template <class List>
int IndexOfName(const List& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  const QString shown = ShownText(name);
  for (size_t i = 0; i < names.size(); ++i)
    if (ShownText(names[i]).compare(shown, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

void StorePhones(BookState& book, AddressRecord& record, const CardFields& fields) {
  for (size_t slot = 0; slot < fields.Phones.size(); ++slot) {
    record.Phones[slot] = StoredText(fields.Phones[slot]);
    if (fields.Phones[slot].isEmpty()) continue;
    const std::string name = StoredText(fields.PhoneNames[slot]);
    int index = name.empty() ? -1 : IndexOfName(book.PhoneNames, name);
    if (!name.empty() && index < 0 && book.PhoneNameCount() < kMaxPhoneNames) index = AddPhoneName(book, name);
    record.PhoneNameIndex[slot] = static_cast<int16_t>(index);
  }
}

void StoreGroups(BookState& book, AddressRecord& record, const QStringList& groups) {
  std::string set;
  for (const QString& group : groups) {
    const std::string name = StoredText(group);
    int index = IndexOfName(book.Groups, name);
    if (index < 0 && book.GroupCount() < kMaxGroups) index = AddGroup(book, name);
    if (index >= 0 && set.find(static_cast<char>(index)) == std::string::npos) set += static_cast<char>(index);
  }
  StoreGroupSet(record, set);
}

}  // namespace

ImportedContact MappedPart(const ImportedContact& contact) {
  ImportedContact mapped = contact;
  mapped.Extras.clear();
  std::stable_sort(mapped.Phones.begin(), mapped.Phones.end(),
                   [](const ContactPhone& a, const ContactPhone& b) { return Rank(a) < Rank(b); });
  if (mapped.Phones.size() > 4) mapped.Phones.resize(4);
  const auto chosen = std::min_element(mapped.Addresses.begin(), mapped.Addresses.end(),
                                       [](const ContactAddress& a, const ContactAddress& b) { return Rank(a) < Rank(b); });
  if (chosen != mapped.Addresses.end()) mapped.Addresses = {*chosen};
  return mapped;
}

CardFields FieldsOfRecord(const BookState& book, const AddressRecord& record) {
  CardFields fields{ShownText(record.Name), ShownText(record.Company), record.PrintAs == kPrintAsBusiness,
                    ShownText(record.Address), {}, {}, {}, ShownText(record.Notes)};
  for (size_t slot = 0; slot < record.Phones.size(); ++slot) {
    fields.Phones[slot] = ShownText(record.Phones[slot]);
    const int16_t name = record.PhoneNameIndex[slot];
    if (!fields.Phones[slot].isEmpty() && name >= 0 && name < book.PhoneNameCount())
      fields.PhoneNames[slot] = ShownText(book.PhoneNames[static_cast<size_t>(name)]);
  }
  for (const char index : GroupSetOf(record))
    if (static_cast<unsigned char>(index) < book.Groups.size()) fields.Groups << ShownText(book.Groups[static_cast<unsigned char>(index)]);
  fields.Groups.sort(Qt::CaseInsensitive);
  return fields;
}

bool FieldsOfCard(const QByteArray& text, CardFields& fields) {
  ReadResult read = ReadVCards(text, QStringLiteral("server"));
  if (read.Contacts.empty()) return false;
  read.Contacts = {MappedPart(read.Contacts.front())};
  BookState scratch;
  NewDocument(scratch);
  scratch.Edition = BookEdition::Unicode;
  ApplyImport(scratch, PlanImport(scratch, read, false));
  fields = FieldsOfRecord(scratch, scratch.Records.front());
  return true;
}

void StoreFields(BookState& book, AddressRecord& record, const CardFields& fields) {
  record.Name = StoredText(fields.Name);
  record.Company = StoredText(fields.Company);
  record.PrintAs = fields.Business ? kPrintAsBusiness : kPrintAsPerson;
  record.Address = StoredText(fields.Address);
  record.Notes = StoredText(fields.Notes);
  StorePhones(book, record, fields);
  StoreGroups(book, record, fields.Groups);
}

QString FieldTitle(CardField field) {
  static const char* const titles[] = {"Name", "Company", "Print As", "Address", "Phone 1", "Phone 2", "Phone 3", "Phone 4", "Groups", "Notes"};
  return QString::fromLatin1(titles[static_cast<int>(field)]);
}

QString FieldValue(const CardFields& fields, CardField field) {
  switch (field) {
    case CardField::Name: return fields.Name;
    case CardField::Company: return fields.Company;
    case CardField::PrintAs: return fields.Business ? QStringLiteral("Business") : QStringLiteral("Person");
    case CardField::Address: return QString(fields.Address).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    case CardField::Groups: return fields.Groups.join(QStringLiteral(", "));
    case CardField::Notes: return QString(fields.Notes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    default: {
      const auto slot = static_cast<size_t>(PhoneSlot(field));
      return fields.PhoneNames[slot].isEmpty() ? fields.Phones[slot]
                                               : QStringLiteral("%1 (%2)").arg(fields.Phones[slot], fields.PhoneNames[slot]);
    }
  }
}

bool SameField(const CardFields& a, const CardFields& b, CardField field) {
  if (field == CardField::Groups) return a.Groups == b.Groups;
  return FieldValue(a, field) == FieldValue(b, field);
}

void CopyField(CardFields& to, const CardFields& from, CardField field) {
  if (IsPhone(field)) {
    const auto slot = static_cast<size_t>(PhoneSlot(field));
    to.Phones[slot] = from.Phones[slot];
    to.PhoneNames[slot] = from.PhoneNames[slot];
    return;
  }
  switch (field) {
    case CardField::Name: to.Name = from.Name; break;
    case CardField::Company: to.Company = from.Company; break;
    case CardField::PrintAs: to.Business = from.Business; break;
    case CardField::Address: to.Address = from.Address; break;
    case CardField::Groups: to.Groups = from.Groups; break;
    default: to.Notes = from.Notes; break;
  }
}

QString FieldsTitle(const CardFields& fields) {
  if (!fields.Name.trimmed().isEmpty()) return fields.Name.trimmed();
  return fields.Company.trimmed().isEmpty() ? QStringLiteral("(no name)") : fields.Company.trimmed();
}
