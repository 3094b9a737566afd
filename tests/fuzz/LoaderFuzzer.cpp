// libFuzzer target for the data file reader: any input must either be refused
// or give a document that keeps every invariant and survives a round trip.
// Built with VANTREO_FUZZ_UNICODE, every input is read as the Unicode edition:
// its first ten bytes are taken to be that edition's magic.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/DocumentCodec.h"
#include "support/BookInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
#ifdef VANTREO_FUZZ_UNICODE
  bytes.replace(0, std::min<size_t>(bytes.size(), 10), kUnicodeDataFileMagic);
#endif
  BookState book;
  PlatformError error;
  if (DecodeDocument(bytes, book, error) != DecodeResult::Ok) return 0;
  if (const std::string broken = BrokenInvariant(book); !broken.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", broken.c_str());
    std::abort();
  }
  const std::optional<std::string> encoded = EncodeDocument(book, error);
  BookState again;
  if (!encoded || DecodeDocument(*encoded, again, error) != DecodeResult::Ok ||
      again.Records != book.Records || again.Groups != book.Groups || again.PhoneNames != book.PhoneNames)
    std::abort();
  return 0;
}
