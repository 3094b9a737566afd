#include "platform/PrivateFolder.h"

#include <QDir>

#include "platform/PlatformFailure.h"

namespace {

constexpr int kFileAccessError = 75;

}  // namespace

PrivateFolder::PrivateFolder() {
  if (!folder_.isValid()) throw PlatformFailure(PlatformError{kFileAccessError, folder_.errorString()});
  cleanup_ = std::make_unique<ScopedExitCleanup>([path = folder_.path()] { QDir(path).removeRecursively(); });
}
