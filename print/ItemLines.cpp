#include "print/ItemLines.h"

#include <QTextBoundaryFinder>

#include "core/BookText.h"
#include "print/PrintableText.h"
#include "print/WrapText.h"

namespace {

bool IsBusiness(const AddressRecord& record) { return record.PrintAs != kPrintAsPerson; }

std::string PhoneDescription(const BookState& book, int16_t phoneNameIndex) {
  if (phoneNameIndex < 0 || phoneNameIndex >= book.PhoneNameCount()) return {};
  return OneLineText(book.PhoneNames[static_cast<size_t>(phoneNameIndex)]);
}

void AddFullEntry(Printer& printer, const BookState& book, const AddressRecord& record, double wrapWidth,
                  std::vector<std::string>& lines) {
  const bool business = IsBusiness(record);
  for (const std::string* field : {business ? &record.Company : &record.Name, business ? &record.Name : &record.Company})
    if (!field->empty()) WrapText(printer, *field, lines, wrapWidth);
  for (size_t slot = 0; slot < record.Phones.size(); ++slot)
    if (!record.Phones[slot].empty())
      lines.push_back(PhoneDescription(book, record.PhoneNameIndex[slot]) + '\t' + OneLineText(record.Phones[slot]));
  WrapText(printer, record.Address, lines, wrapWidth);
}

void AddPhoneEntry(const BookState& book, const AddressRecord& record, std::vector<std::string>& lines) {
  const std::string name = OneLineText(IsBusiness(record) ? record.Company : record.Name);
  const size_t first = lines.size();
  for (size_t slot = 0; slot < record.Phones.size(); ++slot) {
    if (record.Phones[slot].empty()) continue;
    const std::string description = PhoneDescription(book, record.PhoneNameIndex[slot]);
    const std::string left = description.empty() ? name : name + " (" + description + ")";
    lines.push_back(left + '\t' + OneLineText(record.Phones[slot]));
  }
  if (lines.size() == first) lines.push_back(name);
}

}  // namespace

std::vector<std::string> ItemLines(Printer& printer, const BookState& book, const AddressRecord& record,
                                   const ItemStyle& style) {
  std::vector<std::string> lines;
  if (style.IncludeAddresses)
    AddFullEntry(printer, book, record, style.WrapWidth, lines);
  else
    AddPhoneEntry(book, record, lines);
  return lines;
}

std::string HeadingLetter(const std::string& displayKey) {
  const QString key = ShownText(OneLineText(displayKey));
  if (key.isEmpty()) return {};
  // The first character as the user sees it, with its combining marks.
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, key);
  const QString letter = key.left(characters.toNextBoundary());
  const QString upper = letter.toUpper();
  return StoredText(upper.size() == letter.size() ? upper : letter);
}
