#pragma once

#include <QPlainTextEdit>

#include "core/FieldInput.h"

// A multi-line text box for the address and the notes. Its text is the
// field's, with CR LF line breaks, shown whole however long. What the user
// types or pastes goes through the box's input rule (a line break counts two
// characters); what the rule keeps out sounds the system beep and is told
// through inputRefused.
class MultiLineField : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MultiLineField(int limit, QWidget* parent = nullptr);

  QString FieldText() const;
  // The document's own text, taken as it is.
  void SetFieldText(const QString& text);
  // Whether the book stores every character (a Unicode book) or only those
  // of the old edition.
  void SetUnicode(bool unicode) { input_.SetUnicode(unicode); }
  // Puts text in at the caret as if the user had typed it.
  void InsertTyped(const QString& text);
  // Puts the caret before the character at position of FieldText().
  void PlaceCaretAtFieldPosition(int position);

 Q_SIGNALS:
  void fieldChanged();
  void inputRefused(const QString& reason);
  // A character the old edition cannot store was kept out (no beep yet):
  // the window asks whether to convert the book.
  void unstorableInput(const QString& insertion, const QString& reason);

 private:
  QString PlainText() const;
  void CheckInput();
  void PutBack(const QString& text, int caret);

  FieldInput input_;
};
