#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "bench/GeneratedBook.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardReader.h"
#include "interchange/VCardWriter.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kImportedCards = 10000;

// 10,000 cards as an address book program writes them, imported into the
// book cut down to leave room for them: reading, mapping with the
// duplicate check against 22,767 records, and appending.
RegisterBenchStep importStep{"vCard import of 10,000 cards", 1.0, [](BookState& book) {
                               const BookState cards = GenerateBook(kImportedCards, 2);
                               const std::string text = WriteVCards(cards, AllRecords(cards), VCardVersion::V3);
                               const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
                               book.Records.resize(static_cast<size_t>(kMaxRecords - kImportedCards));
                               return SecondsOf([&] {
                                 ApplyImport(book, PlanImport(book, ReadVCards(bytes, QStringLiteral("bench.vcf")), true));
                               });
                             }};

RegisterBenchStep exportStep{"vCard export", 1.0, [](BookState& book) {
                               QTemporaryDir dir;
                               PlatformError error;
                               return SecondsOf([&] {
                                 WriteFileAtomically(dir.filePath(QStringLiteral("book.vcf")),
                                                     WriteVCards(book, AllRecords(book), VCardVersion::V3), error);
                               });
                             }};

}  // namespace
