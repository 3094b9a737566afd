#include "interchange/CsvTable.h"

#include <algorithm>

#include <QStringDecoder>

#include "interchange/TextDecoding.h"
#include "platform/AnsiText.h"

namespace {

constexpr qsizetype kCheckChunk = 1 << 16;

// Whether bytes are UTF-8, checked piece by piece, never decoded whole;
// each piece starts where a character starts.
bool IsUtf8(QByteArrayView bytes) {
  for (qsizetype at = 0; at < bytes.size();) {
    qsizetype end = std::min(at + kCheckChunk, bytes.size());
    while (end < bytes.size() && end > at + 1 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString piece = decoder.decode(bytes.sliced(at, end - at));
    if (decoder.hasError()) return false;
    at = end;
  }
  return true;
}

QString TextOf(QByteArrayView field, bool windows1252) {
  return windows1252 ? AnsiToQString(std::string(field.data(), static_cast<size_t>(field.size())))
                     : QString::fromUtf8(field);
}

// The separator the header row (up to the first line break outside quotes) uses most.
char DetectSeparator(QByteArrayView text) {
  int commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (const char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    commas += c == ',';
    semicolons += c == ';';
    tabs += c == '\t';
  }
  if (tabs > commas && tabs >= semicolons) return '\t';
  if (semicolons > commas) return ';';
  return ',';
}

// Reads rows of fields from the bytes; quotes, separators and line breaks
// are the same bytes in UTF-8 and windows-1252.
class CsvParser {
 public:
  CsvParser(QByteArrayView text, char separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return position_ >= text_.size(); }
  int Line() const { return line_; }

  // The fields of the next row, valid until the next call; unterminated is
  // set when a quote is left open.
  const std::vector<QByteArrayView>& NextRow(bool& unterminated) {
    row_.clear();
    bounds_.clear();
    bool quoted = false;
    while (position_ < text_.size()) {
      const char c = text_[position_++];
      if (quoted) {
        if (c == '"' && position_ < text_.size() && text_[position_] == '"') {
          row_ += '"';
          ++position_;
        } else if (c == '"') {
          quoted = false;
        } else {
          CountLineBreak(c);
          row_ += c;
        }
      } else if (c == '"') {
        quoted = true;
      } else if (c == separator_) {
        bounds_.push_back(row_.size());
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
        ++line_;
        break;
      } else {
        row_ += c;
      }
    }
    unterminated = quoted;
    bounds_.push_back(row_.size());
    fields_.clear();
    qsizetype start = 0;
    for (const qsizetype end : bounds_) {
      fields_.push_back(QByteArrayView(row_).sliced(start, end - start));
      start = end;
    }
    return fields_;
  }

 private:
  void CountLineBreak(char c) {
    if (c == '\n' || (c == '\r' && (position_ >= text_.size() || text_[position_] != '\n'))) ++line_;
  }

  QByteArrayView text_;
  char separator_;
  qsizetype position_ = 0;
  int line_ = 1;
  QByteArray row_;                 // the row's fields, unquoted, one after another
  std::vector<qsizetype> bounds_;  // where each field ends in row_
  std::vector<QByteArrayView> fields_;
};

bool IsBlank(const std::vector<QByteArrayView>& fields, size_t from, bool windows1252) {
  return std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(std::min(from, fields.size())), fields.end(),
                     [windows1252](QByteArrayView field) { return TextOf(field, windows1252).trimmed().isEmpty(); });
}

}  // namespace

QStringList CsvTable::Row(qsizetype row) const {
  const size_t first = static_cast<size_t>(rowStarts_[static_cast<size_t>(row)]);
  const size_t end = static_cast<size_t>(row + 1) < rowStarts_.size() ? static_cast<size_t>(rowStarts_[static_cast<size_t>(row) + 1])
                                                                      : fieldEnds_.size();
  QStringList fields;
  for (size_t f = first; f < end; ++f) {
    const qsizetype start = f == 0 ? 0 : fieldEnds_[f - 1];
    fields << TextOf(QByteArrayView(cells_).sliced(start, fieldEnds_[f] - start), windows1252_);
  }
  return fields;
}

void CsvTable::AppendRow(const std::vector<QByteArrayView>& fields, int line) {
  rowStarts_.push_back(static_cast<qsizetype>(fieldEnds_.size()));
  for (const QByteArrayView field : fields) {
    cells_ += field;
    fieldEnds_.push_back(cells_.size());
  }
  RowLines.push_back(line);
}

CsvTable ParseCsv(const QByteArray& bytes, const QString& source) {
  CsvTable table;
  // UTF-16 is read as UTF-8; a UTF-8 mark is passed over without a copy of the file.
  const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
  const QByteArray converted = utf16 ? WithoutByteOrderMark(bytes) : QByteArray();
  QByteArrayView text = utf16 ? QByteArrayView(converted) : QByteArrayView(bytes);
  if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);
  const bool windows1252 = !IsUtf8(text);
  table.SetWindows1252(windows1252);
  CsvParser parser(text, DetectSeparator(text));
  bool unterminated = false;
  while (!parser.AtEnd() && table.Header.isEmpty()) {
    const std::vector<QByteArrayView>& header = parser.NextRow(unterminated);
    if (!IsBlank(header, 0, windows1252))
      for (const QByteArrayView name : header) table.Header << TextOf(name, windows1252).trimmed();
  }
  const size_t columns = static_cast<size_t>(table.Header.size());
  while (!parser.AtEnd()) {
    const int line = parser.Line();
    std::vector<QByteArrayView> row = parser.NextRow(unterminated);
    if (unterminated) {
      table.Skipped.push_back({source, line, QStringLiteral("has a quote that is never closed")});
    } else if (row.size() > columns && !IsBlank(row, columns, windows1252)) {
      table.Skipped.push_back(
          {source, line, QStringLiteral("has %1 fields, the header %2").arg(row.size()).arg(columns)});
    } else if (!IsBlank(row, 0, windows1252)) {
      row.resize(std::min(row.size(), columns));
      table.AppendRow(row, line);
    }
  }
  return table;
}
