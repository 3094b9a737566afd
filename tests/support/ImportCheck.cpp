#include "support/ImportCheck.h"

#include <sstream>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"
#include "interchange/VCardWriter.h"
#include "support/BookInvariants.h"

KeptRecord Kept(const BookState& book, const AddressRecord& record) {
  KeptRecord kept{record.Name, record.Company, record.PrintAs, record.Address, {}, {}, record.Notes};
  for (size_t slot = 0; slot < record.Phones.size(); ++slot)
    if (!record.Phones[slot].empty())
      kept.Phones.emplace_back(record.Phones[slot], record.PhoneNameIndex[slot] < 0 ? "<Blank>"
                               : book.PhoneNames.at(static_cast<size_t>(record.PhoneNameIndex[slot])));
  for (const char g : GroupSetOf(record)) kept.Groups.insert(book.Groups.at(static_cast<unsigned char>(g)));
  return kept;
}

std::ostream& operator<<(std::ostream& out, const KeptRecord& record) {
  out << "{\"" << record.Name << "\", \"" << record.Company << "\", " << record.PrintAs << ", \"" << record.Address
      << "\", {";
  for (const auto& [number, name] : record.Phones) out << '"' << number << "\" " << name << "; ";
  out << "}, {";
  for (const std::string& group : record.Groups) out << group << "; ";
  return out << "}, \"" << record.Notes << "\"}";
}

std::string RoundTripDifference(const BookState& expected, const BookState& actual) {
  if (expected.RecordCount() != actual.RecordCount())
    return std::to_string(expected.RecordCount()) + " records became " + std::to_string(actual.RecordCount());
  for (size_t r = 0; r < expected.Records.size(); ++r) {
    KeptRecord before = Kept(expected, expected.Records[r]);
    const KeptRecord after = Kept(actual, actual.Records[r]);
    // A company's card names the company as its display name: a business's name that only repeats its company is none.
    if (before.PrintAs == kPrintAsBusiness && before.Name == before.Company) before.Name.clear();
    if (before == after) continue;
    std::ostringstream difference;
    difference << "record " << r << ": " << before << " became " << after;
    return difference.str();
  }
  return {};
}

BookState BookWith(const ReadResult& read, BookEdition edition) {
  BookState book;
  NewDocument(book);
  book.Edition = edition;
  ApplyImport(book, PlanImport(book, read, false));
  return book;
}

BookState ImportedBook(const std::string& vcards, BookEdition edition) {
  return BookWith(ReadVCards(QByteArray(vcards.data(), static_cast<qsizetype>(vcards.size())), QStringLiteral("f")),
                  edition);
}

std::string CheckImportOf(const QByteArray& bytes, ImportFormat format) {
  const BookState book = BookWith(format == ImportFormat::VCard ? ReadVCards(bytes, QStringLiteral("input")) : [&] {
    const CsvTable table = ParseCsv(bytes, QStringLiteral("input"));
    return ContactsFromCsv(table, RecogniseColumns(table.Header));
  }());
  if (std::string broken = BrokenInvariant(book); !broken.empty()) return broken;
  for (const AddressRecord& record : book.Records)
    for (const std::string* value : {&record.Name, &record.Company, &record.Address, &record.Notes, &record.Phones[0],
                                     &record.Phones[1], &record.Phones[2], &record.Phones[3]})
      if (value->size() > 65535) return "value longer than 65,535 bytes";
  std::string lost;
  for (const VCardVersion version : {VCardVersion::V3, VCardVersion::V4})
    if (lost.empty()) lost = RoundTripDifference(book, ImportedBook(WriteVCards(book, AllRecords(book), version)));
  return lost.empty() ? lost : "round trip: " + lost;
}

std::string PhoneNameFlood(int cards) {
  std::string text;
  for (int c = 1; c <= cards; ++c) {
    const std::string n = std::to_string(c);
    text += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Card " + n + "\r\n";
    for (int p = 1; p <= 4; ++p) {
      const std::string slot = std::to_string(p);
      text += "item" + slot + ".TEL:555 " + n + "-" + slot + "\r\nitem" + slot + ".X-ABLABEL:Line " + n + "." + slot + "\r\n";
    }
    text += "END:VCARD\r\n";
  }
  return text;
}
