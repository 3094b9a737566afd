#include "print/MissingGlyphs.h"

#include "core/BookText.h"

namespace {

bool PrintsFully(Printer& printer, const AddressRecord& record) {
  for (const std::string* text : {&record.Name, &record.Company, &record.Address})
    if (!printer.HasGlyphs(*text)) return false;
  for (const std::string& phone : record.Phones)
    if (!printer.HasGlyphs(phone)) return false;
  return true;
}

}  // namespace

QStringList RecordsMissingGlyphs(Printer& printer, const BookState& book, const PrintJob& job) {
  QStringList records;
  for (const int r : job.PrintList) {
    const AddressRecord& record = book.Records.at(static_cast<size_t>(r));
    if (PrintsFully(printer, record)) continue;
    const std::string& shown = record.PrintAs == kPrintAsBusiness ? record.Company : record.Name;
    records << QStringLiteral("Record %1: %2").arg(r + 1).arg(ShownText(shown));
  }
  return records;
}
