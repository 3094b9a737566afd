// libFuzzer target for the vCard reader (VANTREO_FUZZ_FORMAT VCard) or the
// CSV reader (Csv): any input must import into a book that keeps every
// invariant and survives a vCard round trip.
#include <cstdio>
#include <cstdlib>

#include "support/ImportCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (const std::string problem = CheckImportOf(bytes, ImportFormat::VANTREO_FUZZ_FORMAT); !problem.empty()) {
    std::fprintf(stderr, "import check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
