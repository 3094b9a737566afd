#include "core/AnsiTextValidator.h"

#include "platform/AnsiText.h"
#include "platform/SystemBeep.h"

QValidator::State AnsiTextValidator::validate(QString& input, int&) const {
  if (IsAnsiRepresentable(input)) return Acceptable;
  Beeper().Beep();
  return Invalid;
}
