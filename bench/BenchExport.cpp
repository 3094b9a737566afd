#include <QTemporaryDir>

#include "bench/BenchRegistry.h"
#include "export/ExportWriter.h"

namespace {

constexpr int kAllFields = (1 << kExportFieldCount) - 1;

RegisterBenchStep exportStep{"export", 0.3, [](BookState& book) {
                               QTemporaryDir dir;
                               ProgramSettings::ExportSection options;
                               options.File = dir.filePath(QStringLiteral("export.txt"));
                               options.WhichFields = kAllFields;
                               options.PhoneNames = true;
                               PlatformError error;
                               return SecondsOf([&] { ExportBook(book, options, error); });
                             }};

}  // namespace
