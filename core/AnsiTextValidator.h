#pragma once

#include <QValidator>

// Accepts only text that the document can store (windows-1252 characters),
// so that typed names are never changed when they are stored; refused
// input sounds the system beep.
class AnsiTextValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& position) const override;
};
