#pragma once

#include <QValidator>

#include "core/BookState.h"

// Accepts only text that the book can store: every character in a Unicode
// book, windows-1252 characters in an old-edition book, so that typed names
// are never changed when they are stored; refused input sounds the system
// beep.
class StorableTextValidator : public QValidator {
  Q_OBJECT

 public:
  StorableTextValidator(const BookState& book, QObject* parent) : QValidator(parent), book_(book) {}
  State validate(QString& input, int& position) const override;

 private:
  const BookState& book_;
};
