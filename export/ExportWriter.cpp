#include "export/ExportWriter.h"

#include <algorithm>

#include "platform/AnsiText.h"

#include "core/GroupMembership.h"
#include "core/PhoneNameText.h"

namespace {

constexpr const char* kCrLf = "\r\n";

bool StartsWithCrLf(const std::string& text, size_t from) {
  return text.compare(from, 2, kCrLf) == 0;
}

// Appends the columns of one line, each quoted and separated.
class LineWriter {
 public:
  LineWriter(std::string& out, const char* separator) : out_(out), separator_(separator) {}

  void Column(const std::string& value) {
    if (!first_) out_ += separator_;
    first_ = false;
    out_ += '"';
    out_ += value;  // quotes inside stay as they are
    out_ += '"';
  }

  void End() { out_ += kCrLf; }

 private:
  std::string& out_;
  const char* separator_;
  bool first_ = true;
};

void WriteRecord(const BookState& book, const AddressRecord& record, int mask, bool phoneNames,
                 LineWriter& line) {
  if (mask & kExportName) line.Column(record.Name);
  if (mask & kExportCompany) line.Column(record.Company);
  if (mask & kExportPrintAs) line.Column(record.PrintAs == kPrintAsBusiness ? "Business" : "Person");
  if (mask & kExportAddress) line.Column(FlattenLines(record.Address));
  for (size_t slot = 0; slot < record.Phones.size(); ++slot) {
    if (!(mask & (kExportPhone1 << slot))) continue;
    if (phoneNames) line.Column(PhoneNameText(book, record.PhoneNameIndex[slot]));
    line.Column(record.Phones[slot]);
  }
  if (mask & kExportGroup) line.Column(GroupText(book, record));
  if (mask & kExportNotes) line.Column(FlattenLines(record.Notes));
  line.End();
}

const char* SeparatorText(int separator) {
  const bool known = separator >= 0 && separator < static_cast<int>(kExportSeparators.size());
  return kExportSeparators[known ? static_cast<size_t>(separator) : 0].Written;
}

}  // namespace

std::string FlattenLines(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(' ') + 1;
  while (end - begin >= 2 && StartsWithCrLf(text, begin)) begin += 2;
  while (end - begin >= 2 && StartsWithCrLf(text, end - 2)) end -= 2;
  std::string flat;
  flat.reserve(end - begin);
  for (size_t i = begin; i < end; ++i) {
    if (i + 1 < end && StartsWithCrLf(text, i)) {
      flat += '|';
      ++i;
    } else {
      flat += text[i];
    }
  }
  return flat;
}

namespace {

// The UTF-8 line of one record.
void AppendLine(const BookState& book, const AddressRecord& record, const ProgramSettings::ExportSection& options,
                std::string& out) {
  LineWriter line(out, SeparatorText(options.Separator));
  WriteRecord(book, record, static_cast<uint16_t>(options.WhichFields), options.PhoneNames, line);
}

}  // namespace

std::string ExportText(const BookState& book, const ProgramSettings::ExportSection& options) {
  std::string out;
  out.reserve(static_cast<size_t>(book.RecordCount()) * 160);
  for (const AddressRecord& record : book.Records) AppendLine(book, record, options, out);
  if (book.IsUnicode() && !options.CodePage) return out;
  std::string bytes;
  if (!Utf8ToAnsi(out, bytes)) std::replace(bytes.begin(), bytes.end(), '\x1a', '?');
  return bytes;
}

QStringList RecordsNotInCodePage(const BookState& book, const ProgramSettings::ExportSection& options) {
  QStringList records;
  for (int r = 0; r < book.RecordCount(); ++r) {
    const AddressRecord& record = book.Records[static_cast<size_t>(r)];
    std::string line;
    AppendLine(book, record, options, line);
    if (!IsAnsiRepresentable(QString::fromStdString(line)))
      records << QStringLiteral("Record %1: %2").arg(r + 1).arg(QString::fromStdString(record.Name));
  }
  return records;
}

ExportOutcome ExportBook(const BookState& book, const ProgramSettings::ExportSection& options, PlatformError& error) {
  return WriteExportFile(book, options.File, ExportText(book, options), error);
}
