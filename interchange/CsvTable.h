#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "interchange/ImportedContact.h"

// A CSV file with a header row. The fields of the rows are kept as the
// file's bytes, one after another, and made text when a row is asked for,
// so that a large file takes little more memory than its own size.
class CsvTable {
 public:
  QStringList Header;
  std::vector<int> RowLines;  // the line each row starts on
  std::vector<SkippedEntry> Skipped;

  qsizetype RowCount() const { return static_cast<qsizetype>(rowStarts_.size()); }
  // The fields of a row: as many as the row has, never more than the header.
  QStringList Row(qsizetype row) const;

  // Appends a row of fields in the table's encoding (UTF-8 unless told).
  void AppendRow(const std::vector<QByteArrayView>& fields, int line);
  void SetWindows1252(bool windows1252) { windows1252_ = windows1252; }

 private:
  QByteArray cells_;                   // every field of every row, one after another
  std::vector<qsizetype> fieldEnds_;   // where each field ends in cells_
  std::vector<qsizetype> rowStarts_;   // each row's first field in fieldEnds_
  bool windows1252_ = false;
};

// Parses CSV text (RFC 4180 quoting with doubled quotes and line breaks
// inside quotes). The separator (comma, semicolon or tab) is the one the
// header row uses most; the encoding is told by the byte-order mark, else
// UTF-8 when valid, else windows-1252. A row with more fields than the
// header is skipped with its line number.
CsvTable ParseCsv(const QByteArray& bytes, const QString& source);
