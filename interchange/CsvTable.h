#pragma once

#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "interchange/ImportedContact.h"

// A CSV file with a header row, as text.
struct CsvTable {
  QStringList Header;
  std::vector<QStringList> Rows;
  std::vector<int> RowLines;  // the line each row starts on
  std::vector<SkippedEntry> Skipped;
};

// Parses CSV text (RFC 4180 quoting with doubled quotes and line breaks
// inside quotes). The separator (comma, semicolon or tab) is the one the
// header row uses most; the encoding is told by the byte-order mark, else
// UTF-8 when valid, else windows-1252. A row with more fields than the
// header is skipped with its line number.
CsvTable ParseCsv(const QByteArray& bytes, const QString& source);
