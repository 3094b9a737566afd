#include "core/BookProperties.h"

QString BookEditionText(const BookState&) { return QStringLiteral("old format"); }

QString BookPropertiesText(const BookState& book) {
  const QString place = book.IsUntitled() ? QStringLiteral("not saved yet") : book.FileName;
  return QStringLiteral("Kept in: %1\nEdition: %2\nRecords: %3")
      .arg(place, BookEditionText(book), QString::number(book.RecordCount()));
}
