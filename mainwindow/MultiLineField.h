#pragma once

#include <QPlainTextEdit>

// A multi-line text box for the address and the notes. Its text is the
// field's: line breaks are CR LF, and it holds at most MaxLength characters
// (a line break counts two) of the windows-1252 set. Input that would break
// either rule is undone and sounds the system beep.
class MultiLineField : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MultiLineField(QWidget* parent = nullptr);

  void SetMaxLength(int length) { maxLength_ = length; }
  int MaxLength() const { return maxLength_; }

  QString FieldText() const;
  void SetFieldText(const QString& text);
  // Puts the caret before the character at position of FieldText().
  void PlaceCaretAtFieldPosition(int position);

 Q_SIGNALS:
  void fieldChanged();

 private:
  void CheckInput();
  void Refuse(const QString& text);
  static int FieldLength(const QString& plainText);

  int maxLength_ = 32767;
  QString accepted_;
};
