#include "core/AnsiTextValidator.h"

#include "platform/AnsiText.h"

QValidator::State AnsiTextValidator::validate(QString& input, int&) const {
  return IsAnsiRepresentable(input) ? Acceptable : Invalid;
}
