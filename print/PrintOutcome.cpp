#include "print/PrintOutcome.h"

#include <new>

#include "platform/PlatformFailure.h"

namespace {

constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

PrintOutcome FailedWith(PlatformError error) { return {PrintOutcome::Result::Failed, std::move(error), {}, {}}; }

}  // namespace

PrintOutcome RunPrintStep(const std::function<void(PrintOutcome&)>& step) {
  try {
    PrintOutcome outcome;
    step(outcome);
    return outcome;
  } catch (const PlatformFailure& failure) {
    return FailedWith(failure.Error());
  } catch (const std::bad_alloc&) {
    return FailedWith({kOutOfMemory, QStringLiteral("Out of memory")});
  } catch (const std::exception& failure) {
    return FailedWith({kInternalError, QString::fromLocal8Bit(failure.what())});
  }
}
