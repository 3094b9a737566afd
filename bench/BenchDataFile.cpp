#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "core/DataFile.h"

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

}  // namespace
