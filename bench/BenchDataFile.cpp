#include <array>

#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "core/DataFile.h"
#include "core/Document.h"

namespace {

QString BenchFilePath() {
  static QTemporaryDir dir;
  return dir.filePath(QStringLiteral("bench.dat"));
}

RegisterBenchStep save{"save", 0.3, [](BookState& book) {
                         book.FileName = BenchFilePath();
                         return SecondsOf([&] { SaveDocument(book); });
                       }};

RegisterBenchStep load{"load", 0.3, [](BookState& book) {
                         book.FileName = BenchFilePath();
                         SaveDocument(book);
                         return SecondsOf([&] { LoadDocument(book, BenchFilePath()); });
                       }};

// The book as a Unicode book whose names are written in many scripts.
void MakeUnicode(BookState& book) {
  static const std::array<std::string, 6> kSurnames = {" Łódź", " Иванов", " 山田", " Παπαδόπουλος", " כהן", " 😀"};
  for (size_t r = 0; r < book.Records.size(); ++r) book.Records[r].Name += kSurnames[r % kSurnames.size()];
  ConvertToUnicode(book);
}

RegisterBenchStep saveUnicode{"save of a Unicode book", 0.3, [](BookState& book) {
                                MakeUnicode(book);
                                book.FileName = BenchFilePath();
                                return SecondsOf([&] { SaveDocument(book); });
                              }};

RegisterBenchStep loadUnicode{"load of a Unicode book", 0.3, [](BookState& book) {
                                MakeUnicode(book);
                                book.FileName = BenchFilePath();
                                SaveDocument(book);
                                return SecondsOf([&] { LoadDocument(book, BenchFilePath()); });
                              }};

}  // namespace
