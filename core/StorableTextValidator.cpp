#include "core/StorableTextValidator.h"

#include "platform/AnsiText.h"
#include "platform/SystemBeep.h"

QValidator::State StorableTextValidator::validate(QString& input, int&) const {
  if (book_.IsUnicode() || IsAnsiRepresentable(input)) return Acceptable;
  Beeper().Beep();
  return Invalid;
}

#include "moc_StorableTextValidator.cpp"
