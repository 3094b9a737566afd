#include "print/PrintOutcome.h"

#include <new>

#include "platform/PlatformFailure.h"

namespace {

constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

}  // namespace

PrintOutcome RunPrintStep(const QString& problem, const std::function<void(PrintOutcome&)>& step) {
  PrintOutcome outcome;
  try {
    step(outcome);
    return outcome;
  } catch (const PlatformFailure& failure) {
    return {Outcome::Failed(problem, failure.Error()), false, {}, {}};
  } catch (const std::bad_alloc&) {
    return {Outcome::Failed(problem, {kOutOfMemory, QStringLiteral("Out of memory")}), false, {}, {}};
  } catch (const std::exception& failure) {
    return {Outcome::Failed(problem, {kInternalError, QString::fromLocal8Bit(failure.what())}), false, {}, {}};
  }
}
