// Feeds arbitrary bytes to the WebDAV multistatus reader: it must neither
// crash nor hang, and what it gives must keep its promises.
#include <cstdint>
#include <cstdlib>

#include "sync/DavReply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const DavMultistatus result = ParseMultistatus(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!result.Valid && (result.Error.isEmpty() || !result.Responses.empty())) std::abort();
  for (const DavResponse& response : result.Responses)
    if (response.Href.isEmpty()) std::abort();
  return 0;
}
