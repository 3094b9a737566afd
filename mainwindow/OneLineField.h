#pragma once

#include <QLineEdit>
#include <QValidator>

#include "core/FieldInput.h"

// A one-line text box of the record view (name, company, phone). It shows
// the field's text whole, however long; what the user types or pastes goes
// through the box's input rule, and what the rule keeps out sounds the
// system beep and is told through inputRefused.
class OneLineField : public QLineEdit {
  Q_OBJECT

 public:
  explicit OneLineField(int limit, QWidget* parent = nullptr);

  // The document's own text, taken as it is.
  void SetFieldText(const QString& text);
  // Whether the book stores every character (a Unicode book) or only those
  // of the old edition.
  void SetUnicode(bool unicode) { input_.SetUnicode(unicode); }
  // Puts text in at the caret as if the user had typed it.
  void InsertTyped(const QString& text);

 Q_SIGNALS:
  void inputRefused(const QString& reason);
  // A character the old edition cannot store was kept out (no beep yet):
  // the window asks whether to convert the book.
  void unstorableInput(const QString& insertion, const QString& reason);

 private:
  class InputRuleValidator;
  QValidator::State Validate(QString& input, int& position);

  FieldInput input_;
};
