#include "interchange/CsvColumns.h"

#include <algorithm>

#include <QRegularExpression>

#include "interchange/CsvHeaderTable.h"
#include "interchange/PersonalName.h"
#include "interchange/PostalAddress.h"
#include "interchange/TextDecoding.h"

namespace {

constexpr const char* kGoogleGroups = " ::: ";

// Columns of the common exports that carry nothing worth keeping.
const QStringList kSkipped = {"gender", "priority", "sensitivity", "private", "e-mail type", "e-mail 2 type",
                              "e-mail 3 type", "e-mail display name", "e-mail 2 display name",
                              "e-mail 3 display name", "initials", "photo", "file as", "yomi name",
                              "internet free busy"};

// Columns of the common exports kept in Notes under their own header.
const QStringList kLabelled = {
    "assistant's name", "assistant's phone", "spouse", "children", "profession", "manager's name",
    "office location", "hobby", "user 1", "user 2", "user 3", "user 4", "custom 1", "custom 2", "custom 3",
    "custom 4", "keywords", "location", "occupation", "short name", "maiden name", "language", "mileage",
    "billing information", "directory server", "referred by", "account", "government id number",
    "organizational id number", "subject", "birth year", "birth month", "birth day", "callback", "isdn",
    "radio phone", "telex", "tty/tdd phone"};

struct AddressPrefix {
  const char* Prefix;
  int Set;
  const char* Kind;
};
constexpr AddressPrefix kAddressPrefixes[] = {{"business", 1, "Work"}, {"work", 1, "Work"}, {"home", 2, "Home"},
                                              {"other", 3, "Other"}};

struct AddressPart {
  const char* Suffix;
  CsvField Field;
};
constexpr AddressPart kAddressParts[] = {
    {"street", CsvField::Street},        {"street 2", CsvField::Street},   {"street 3", CsvField::Street},
    {"address", CsvField::Street},       {"address 2", CsvField::Street},  {"address po box", CsvField::Street},
    {"po box", CsvField::Street},        {"extended address", CsvField::Street},
    {"city", CsvField::City},            {"state", CsvField::Region},      {"region", CsvField::Region},
    {"postal code", CsvField::Postcode}, {"zipcode", CsvField::Postcode},  {"zip", CsvField::Postcode},
    {"country", CsvField::Country},      {"country/region", CsvField::Country}, {"formatted", CsvField::Address},
};

CsvField AddressPartField(const QString& suffix) {
  for (const AddressPart& part : kAddressParts)
    if (suffix == QLatin1String(part.Suffix)) return part.Field;
  return CsvField::Skip;
}

// Outlook's "Home City", Thunderbird's "Work ZipCode".
bool RecogniseAddressPart(const QString& header, CsvColumn& column) {
  for (const AddressPrefix& prefix : kAddressPrefixes) {
    const QString start = QString::fromLatin1(prefix.Prefix) + QLatin1Char(' ');
    if (!header.startsWith(start)) continue;
    const CsvField field = AddressPartField(header.mid(start.size()));
    if (field == CsvField::Skip || field == CsvField::Address) return false;
    column = {field, prefix.Set, QString::fromLatin1(prefix.Kind)};
    return true;
  }
  return false;
}

// Google's numbered columns: "Phone 2 - Value", "Address 1 - City", ...
bool RecogniseNumbered(const QString& header, const QString& original, CsvColumn& column) {
  static const QRegularExpression numbered(QStringLiteral("^([a-z -]+?) (\\d+) - (.+)$"));
  const QRegularExpressionMatch match = numbered.match(header);
  if (!match.hasMatch()) return false;
  const QString kind = match.captured(1);
  const int number = match.captured(2).toInt();
  const QString part = match.captured(3);
  const bool isValue = part == QLatin1String("value");
  const bool isKind = part == QLatin1String("type") || part == QLatin1String("label");
  column = {.Field = CsvField::Skip, .Set = number};
  if (kind == QLatin1String("phone")) {
    if (isValue) column.Field = CsvField::Phone;
    if (isKind) column.Field = CsvField::PhoneKind;
  } else if (kind == QLatin1String("address")) {
    column.Set = 10 + number;
    column.Field = isKind ? CsvField::AddressKind : AddressPartField(part);
  } else if (kind == QLatin1String("e-mail") && isValue) {
    column = {CsvField::Notes, 0, QStringLiteral("E-mail"), kNotesEmail};
  } else if (kind == QLatin1String("website") && isValue) {
    column = {CsvField::Notes, 0, QStringLiteral("Web"), kNotesWeb};
  } else if (kind == QLatin1String("im") && isValue) {
    column = {CsvField::Notes, 0, QStringLiteral("IM"), kNotesMessaging};
  } else if (kind == QLatin1String("organization")) {
    if (part == QLatin1String("name")) column = {number == 1 ? CsvField::Company : CsvField::Notes, 0, QStringLiteral("Organization")};
    if (part == QLatin1String("title")) column = {CsvField::Notes, 0, QStringLiteral("Title"), kNotesTitle};
    if (part == QLatin1String("department")) column.Field = CsvField::Department;
  } else if (isValue) {
    column = {CsvField::Notes, 0, original.left(original.indexOf(QLatin1String(" - "))).trimmed()};
  }
  return true;
}

CsvColumn Recognise(const QString& original) {
  const QString header = original.trimmed().toLower();
  if (const KnownHeader* known = FindKnownHeader(header))
    return {known->Field, known->Set, QString::fromUtf8(known->Label), known->Rank};
  CsvColumn column;
  if (kSkipped.contains(header) || header.endsWith(QLatin1String(" yomi")) || header.startsWith(QLatin1String("phonetic ")))
    return {.Field = CsvField::Skip};
  if (kLabelled.contains(header)) return {CsvField::Notes, 0, original.trimmed()};
  if (RecogniseAddressPart(header, column) || RecogniseNumbered(header, original, column)) return column;
  return GuessColumn(original);
}

struct PhoneKindName {
  const char* Word;
  const char* Name;
};
// Google's phone types, the first word found wins: "Work Fax" is a "Fax".
constexpr PhoneKindName kPhoneKinds[] = {{"fax", "Fax"},   {"mobile", "Mobile"}, {"cell", "Mobile"},
                                         {"pager", "Pager"}, {"car", "Car Phone"}, {"home", "Home"},
                                         {"work", "Work"}, {"other", "Other"},   {"main", "Main"}};

QString PhoneNameOfKind(const QString& kind) {
  const QString lower = kind.toLower();
  for (const PhoneKindName& known : kPhoneKinds)
    if (lower.split(' ').contains(QLatin1String(known.Word))) return QString::fromLatin1(known.Name);
  return kind;  // none given: a number without a phone name
}

// Google marks the preferred value of a kind with "* ".
QString WithoutPreferenceMark(const QString& kind, bool& preferred) {
  preferred = kind.startsWith(QLatin1String("* "));
  return (preferred ? kind.mid(2) : kind).trimmed();
}

// Builds one contact from the fields of one row.
class RowReader {
 public:
  void Take(const CsvColumn& column, const QString& value);
  ImportedContact Finish();

 private:
  struct AddressSet {
    QString Whole;
    PostalParts Parts;
    QString Kind;
  };
  struct PhoneSet {
    QStringList Numbers;
    QString Name;
    QString KindOfRow;
  };

  AddressSet& Address(int set, const QString& kind);
  PhoneSet& Phones(int set);

  ImportedContact contact_;
  QString name_;
  QString parts_[5];  // prefix, given, middle, family, suffix
  QStringList units_;
  std::vector<std::pair<int, AddressSet>> addresses_;  // in the order of their first columns
  std::vector<std::pair<int, PhoneSet>> phones_;
  QHash<int, size_t> addressBySet_, phonesBySet_;        // where each numbered set is in them
};

RowReader::AddressSet& RowReader::Address(int set, const QString& kind) {
  if (const auto found = addressBySet_.constFind(set); found != addressBySet_.constEnd()) return addresses_[*found].second;
  addressBySet_.insert(set, addresses_.size());
  addresses_.push_back({set, AddressSet{{}, {}, kind}});
  return addresses_.back().second;
}

RowReader::PhoneSet& RowReader::Phones(int set) {
  if (const auto found = phonesBySet_.constFind(set); found != phonesBySet_.constEnd()) return phones_[*found].second;
  phonesBySet_.insert(set, phones_.size());
  phones_.push_back({set, {}});
  return phones_.back().second;
}

void RowReader::Take(const CsvColumn& column, const QString& value) {
  switch (column.Field) {
    case CsvField::Skip: break;
    case CsvField::Notes:
      if (column.Label.isEmpty())
        AppendLine(contact_.Note, value);
      else
        contact_.Extras.push_back({column.Rank, column.Label, value});
      break;
    case CsvField::Name: name_ = value; break;
    case CsvField::NamePrefix: parts_[0] = value; break;
    case CsvField::GivenName: parts_[1] = value; break;
    case CsvField::MiddleName: parts_[2] = value; break;
    case CsvField::FamilyName: parts_[3] = value; break;
    case CsvField::NameSuffix: parts_[4] = value; break;
    case CsvField::Company: contact_.Company = value; break;
    case CsvField::Department: units_ << value; break;
    case CsvField::Address: Address(column.Set, column.Label).Whole = value; break;
    case CsvField::Street: Address(column.Set, column.Label).Parts.Street << value.split('\n'); break;
    case CsvField::City: Address(column.Set, column.Label).Parts.City = value; break;
    case CsvField::Region: Address(column.Set, column.Label).Parts.Region = value; break;
    case CsvField::Postcode: Address(column.Set, column.Label).Parts.Postcode = value; break;
    case CsvField::Country: Address(column.Set, column.Label).Parts.Country = value; break;
    case CsvField::AddressKind: Address(column.Set, column.Label).Kind = value; break;
    case CsvField::Phone:
      // A column with its own phone name ("Home Phone") stands alone; a
      // numbered one takes the phone name of its row's kind column.
      if (!column.Label.isEmpty()) phones_.push_back({-1, {{value}, column.Label, {}}});
      else Phones(column.Set).Numbers << value.split(QLatin1String(kGoogleGroups));
      break;
    case CsvField::PhoneKind: Phones(column.Set).KindOfRow = value; break;
    case CsvField::Groups:
      for (const QString& group : value.split(column.Label.isEmpty() ? QStringLiteral(",") : column.Label)) {
        // Google's own system groups ("* myContacts", "* starred") are no groups of the user.
        if (!group.trimmed().isEmpty() && !group.trimmed().startsWith(QLatin1String("* ")))
          contact_.Categories << group.trimmed();
      }
      break;
  }
}

ImportedContact RowReader::Finish() {
  const QString composed = ComposeName({parts_[0], parts_[1], parts_[2], parts_[3], parts_[4]});
  contact_.Name = name_.trimmed().isEmpty() ? composed : name_;
  contact_.HasPersonalName = !contact_.Name.trimmed().isEmpty();
  if (!units_.isEmpty()) contact_.Company = (QStringList{contact_.Company} + units_).join(QStringLiteral(", "));
  for (const auto& [set, address] : addresses_) {
    bool preferred = false;
    const QString kind = WithoutPreferenceMark(address.Kind, preferred);
    const QStringList lines = address.Whole.trimmed().isEmpty() ? PostalLines(address.Parts) : address.Whole.split('\n');
    if (!lines.isEmpty()) contact_.Addresses.push_back({lines, kind, preferred ? 1 : 0});
  }
  for (const auto& [set, phones] : phones_) {
    bool preferred = false;
    const QString kind = WithoutPreferenceMark(phones.KindOfRow, preferred);
    const QString name = phones.Name.isEmpty() ? PhoneNameOfKind(kind) : phones.Name;
    for (const QString& number : phones.Numbers)
      if (!number.trimmed().isEmpty()) contact_.Phones.push_back({number.trimmed(), name, preferred ? 1 : 0});
  }
  return contact_;
}

bool HasData(const ImportedContact& contact) {
  return !contact.Name.trimmed().isEmpty() || !contact.Company.trimmed().isEmpty() || !contact.Addresses.empty() ||
         !contact.Phones.empty() || !contact.Note.trimmed().isEmpty() || !contact.Extras.empty();
}

}  // namespace

std::vector<CsvColumn> RecogniseColumns(const QStringList& header) {
  std::vector<CsvColumn> columns;
  for (const QString& name : header) columns.push_back(Recognise(name));
  return columns;
}

std::vector<int> ColumnsToMap(const CsvTable& table, const std::vector<CsvColumn>& columns) {
  std::vector<bool> hasData(columns.size(), false);
  // Rows are read only until every unknown column has shown data.
  auto unseen = std::count_if(columns.begin(), columns.end(), [](const CsvColumn& column) { return !column.Recognised; });
  for (qsizetype r = 0; r < table.RowCount() && unseen > 0; ++r) {
    const QStringList row = table.Row(r);
    for (qsizetype c = 0; c < row.size() && c < static_cast<qsizetype>(columns.size()); ++c) {
      const auto column = static_cast<size_t>(c);
      if (columns[column].Recognised || hasData[column] || row[c].trimmed().isEmpty()) continue;
      hasData[column] = true;
      --unseen;
    }
  }
  std::vector<int> unknown;
  for (size_t c = 0; c < columns.size(); ++c)
    if (!columns[c].Recognised && hasData[c]) unknown.push_back(static_cast<int>(c));
  return unknown;
}

void ForEachContactOfCsv(const CsvTable& table, const std::vector<CsvColumn>& columns,
                         const std::function<void(const ImportedContact&)>& take) {
  for (qsizetype r = 0; r < table.RowCount(); ++r) {
    const QStringList row = table.Row(r);
    RowReader reader;
    for (qsizetype c = 0; c < row.size() && c < static_cast<qsizetype>(columns.size()); ++c) {
      const QString value = WithPlainLineBreaks(row[c]);
      // "0/0/00" is how Outlook writes a date it does not have.
      if (!value.trimmed().isEmpty() && value != QLatin1String("0/0/00"))
        reader.Take(columns[static_cast<size_t>(c)], value);
    }
    const ImportedContact contact = reader.Finish();
    if (HasData(contact)) take(contact);
  }
}

ReadResult ContactsFromCsv(const CsvTable& table, const std::vector<CsvColumn>& columns) {
  ReadResult result;
  result.Skipped = table.Skipped;
  ForEachContactOfCsv(table, columns, [&result](const ImportedContact& contact) { result.Contacts.push_back(contact); });
  return result;
}
