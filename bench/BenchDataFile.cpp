#include <array>
#include <cstdio>
#include <cstdlib>

#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "core/DataFile.h"
#include "core/Document.h"

namespace {

QString BenchFilePath() {
  static QTemporaryDir dir;
  return dir.filePath(QStringLiteral("bench.dat"));
}

// A step that failed has measured nothing: the run ends.
void Require(const Outcome& outcome) {
  if (outcome.Succeeded()) return;
  std::fprintf(stderr, "bench: %s\n", qPrintable(outcome.Problem + QLatin1Char(' ') + outcome.Error.Description));
  std::exit(2);
}

double TimedSave(BookState& book) {
  book.FileName = BenchFilePath();
  Outcome saved;
  const double seconds = SecondsOf([&] { saved = SaveDocument(book); });
  Require(saved);
  return seconds;
}

double TimedLoad(BookState& book) {
  book.FileName = BenchFilePath();
  Require(SaveDocument(book));
  Outcome loaded;
  const double seconds = SecondsOf([&] { loaded = LoadDocument(book, BenchFilePath()); });
  Require(loaded);
  return seconds;
}

// The book as a Unicode book whose names are written in many scripts.
void MakeUnicode(BookState& book) {
  static const std::array<std::string, 6> kSurnames = {" Łódź", " Иванов", " 山田", " Παπαδόπουλος", " כהן", " 😀"};
  for (size_t r = 0; r < book.Records.size(); ++r) book.Records[r].Name += kSurnames[r % kSurnames.size()];
  ConvertToUnicode(book);
}

RegisterBenchStep save{"save", 0.3, TimedSave};
RegisterBenchStep load{"load", 0.3, TimedLoad};

RegisterBenchStep saveUnicode{"save of a Unicode book", 0.3, [](BookState& book) {
                                MakeUnicode(book);
                                return TimedSave(book);
                              }};

RegisterBenchStep loadUnicode{"load of a Unicode book", 0.3, [](BookState& book) {
                                MakeUnicode(book);
                                return TimedLoad(book);
                              }};

}  // namespace
