#include "interchange/CsvTable.h"

#include <algorithm>

#include "interchange/TextDecoding.h"

namespace {

// The separator the header row (up to the first line break outside quotes) uses most.
QChar DetectSeparator(const QString& text) {
  int commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (const QChar c : text) {
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

class CsvParser {
 public:
  CsvParser(const QString& text, QChar separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return position_ >= text_.size(); }
  int Line() const { return line_; }

  // The fields of the next row; unterminated is set when a quote is left open.
  QStringList NextRow(bool& unterminated) {
    QStringList fields;
    QString field;
    bool quoted = false;
    unterminated = false;
    while (position_ < text_.size()) {
      const QChar c = text_[position_++];
      if (quoted) {
        if (c == '"' && position_ < text_.size() && text_[position_] == '"') {
          field += '"';
          ++position_;
        } else if (c == '"') {
          quoted = false;
        } else {
          CountLineBreak(c);
          field += c;
        }
      } else if (c == '"') {
        quoted = true;
      } else if (c == separator_) {
        fields << field;
        field.clear();
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
        ++line_;
        break;
      } else {
        field += c;
      }
    }
    unterminated = quoted;
    fields << field;
    return fields;
  }

 private:
  void CountLineBreak(QChar c) {
    if (c == '\n' || (c == '\r' && (position_ >= text_.size() || text_[position_] != '\n'))) ++line_;
  }

  const QString& text_;
  QChar separator_;
  qsizetype position_ = 0;
  int line_ = 1;
};

bool IsBlank(const QStringList& row) {
  return std::all_of(row.begin(), row.end(), [](const QString& field) { return field.trimmed().isEmpty(); });
}

}  // namespace

CsvTable ParseCsv(const QByteArray& bytes, const QString& source) {
  CsvTable table;
  const QString text = DecodeText(WithoutByteOrderMark(bytes));
  CsvParser parser(text, DetectSeparator(text));
  bool unterminated = false;
  while (!parser.AtEnd() && table.Header.isEmpty()) {
    QStringList header = parser.NextRow(unterminated);
    if (!IsBlank(header)) table.Header = header;
  }
  for (QString& name : table.Header) name = name.trimmed();
  while (!parser.AtEnd()) {
    const int line = parser.Line();
    QStringList row = parser.NextRow(unterminated);
    if (unterminated) {
      table.Skipped.push_back({source, line, QStringLiteral("has a quote that is never closed")});
    } else if (row.size() > table.Header.size() && !IsBlank(row.mid(table.Header.size()))) {
      table.Skipped.push_back(
          {source, line, QStringLiteral("has %1 fields, the header %2").arg(row.size()).arg(table.Header.size())});
    } else if (!IsBlank(row)) {
      table.Rows.push_back(row.mid(0, table.Header.size()));
      table.RowLines.push_back(line);
    }
  }
  return table;
}
