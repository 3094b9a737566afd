#include "support/ImportCheck.h"

#include <set>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/CsvColumns.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"
#include "interchange/VCardWriter.h"
#include "support/BookInvariants.h"

namespace {

std::set<std::string> GroupNames(const BookState& book, const AddressRecord& record) {
  std::set<std::string> names;
  for (const char g : GroupSetOf(record)) names.insert(book.Groups.at(static_cast<unsigned char>(g)));
  return names;
}

std::vector<std::pair<std::string, std::string>> NamedPhones(const BookState& book, const AddressRecord& record) {
  std::vector<std::pair<std::string, std::string>> phones;
  for (size_t slot = 0; slot < record.Phones.size(); ++slot) {
    if (record.Phones[slot].empty()) continue;
    const int16_t name = record.PhoneNameIndex[slot];
    phones.emplace_back(record.Phones[slot], name < 0 ? "<Blank>" : book.PhoneNames.at(static_cast<size_t>(name)));
  }
  return phones;
}

std::string RecordDifference(const BookState& expected, const AddressRecord& a, const BookState& actual,
                             const AddressRecord& b) {
  if (a.Name != b.Name) return "name \"" + a.Name + "\" became \"" + b.Name + "\"";
  if (a.Company != b.Company) return "company of " + a.Name;
  if (a.PrintAs != b.PrintAs) return "print-as of " + a.Name;
  if (a.Address != b.Address) return "address of " + a.Name;
  if (GroupNames(expected, a) != GroupNames(actual, b)) return "groups of " + a.Name;
  if (NamedPhones(expected, a) != NamedPhones(actual, b)) return "phones of " + a.Name;
  if (a.Notes != b.Notes) return "notes of " + a.Name;
  return {};
}

std::string TooLongValue(const BookState& book) {
  for (const AddressRecord& record : book.Records)
    for (const std::string* value : {&record.Name, &record.Company, &record.Address, &record.Notes, &record.Phones[0],
                                     &record.Phones[1], &record.Phones[2], &record.Phones[3]})
      if (value->size() > 65535) return "value longer than 65,535 bytes";
  return {};
}

BookState BookWith(const ReadResult& read) {
  BookState book;
  NewDocument(book);
  ApplyImport(book, PlanImport(book, read, true));
  return book;
}

}  // namespace

std::string RoundTripDifference(const BookState& expected, const BookState& actual) {
  if (expected.RecordCount() != actual.RecordCount())
    return std::to_string(expected.RecordCount()) + " records became " + std::to_string(actual.RecordCount());
  for (size_t r = 0; r < expected.Records.size(); ++r)
    if (std::string difference = RecordDifference(expected, expected.Records[r], actual, actual.Records[r]);
        !difference.empty())
      return "record " + std::to_string(r) + ": " + difference;
  return {};
}

BookState ImportedBook(const std::string& vcards) {
  return BookWith(ReadVCards(QByteArray(vcards.data(), static_cast<qsizetype>(vcards.size())), QStringLiteral("f")));
}

std::string CheckImportOf(const QByteArray& bytes, ImportFormat format) {
  ReadResult read;
  if (format == ImportFormat::VCard) {
    read = ReadVCards(bytes, QStringLiteral("input"));
  } else {
    const CsvTable table = ParseCsv(bytes, QStringLiteral("input"));
    read = ContactsFromCsv(table, RecogniseColumns(table.Header));
  }
  const BookState book = BookWith(read);
  if (std::string broken = BrokenInvariant(book); !broken.empty()) return broken;
  if (std::string tooLong = TooLongValue(book); !tooLong.empty()) return tooLong;
  for (const VCardVersion version : {VCardVersion::V3, VCardVersion::V4})
    if (std::string lost = RoundTripDifference(book, ImportedBook(WriteVCards(book, AllRecords(book), version)));
        !lost.empty())
      return "round trip: " + lost;
  return {};
}
