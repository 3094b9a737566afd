#include "print/PrintFailure.h"

#include <exception>
#include <new>

#include "platform/PlatformFailure.h"

namespace {

constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

}  // namespace

PlatformError CaughtFailure() {
  try {
    throw;
  } catch (const PlatformFailure& failure) {
    return failure.Error();
  } catch (const std::bad_alloc&) {
    return {kOutOfMemory, QStringLiteral("Out of memory")};
  } catch (const std::exception& failure) {
    return {kInternalError, QString::fromLocal8Bit(failure.what())};
  } catch (...) {
    return {kInternalError, QStringLiteral("Internal error")};
  }
}
