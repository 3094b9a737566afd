#include "support/TestBooks.h"

#include <QFile>

#include "core/Document.h"

BookState BookWithGroups(std::initializer_list<const char*> groups) {
  BookState book;
  NewDocument(book);
  for (const char* group : groups) AddGroup(book, group);
  book.Dirty = false;
  return book;
}

AddressRecord& AddRecord(BookState& book, const std::string& name, const std::string& company) {
  book.Records.emplace_back();
  InitNewRecord(book, book.RecordCount() - 1);
  AddressRecord& record = book.Records.back();
  record.Name = name;
  record.Company = company;
  return record;
}

BookState PeopleBook(int count) {
  BookState book = BookWithGroups({});
  for (int i = 0; i < count; ++i) {
    AddressRecord& record = AddRecord(book, "Person " + std::to_string(i + 1));
    record.Phones[0] = "555-" + std::to_string(1000 + i);
    record.Address = "1 Main St\r\nTown";
  }
  return book;
}

std::string ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
