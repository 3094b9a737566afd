#include "mainwindow/MultiLineField.h"

#include <algorithm>

#include <QSignalBlocker>

#include "platform/AnsiText.h"
#include "platform/SystemBeep.h"

MultiLineField::MultiLineField(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineField::CheckInput);
}

QString MultiLineField::FieldText() const {
  QString text = toPlainText();
  return text.replace('\n', QStringLiteral("\r\n"));
}

void MultiLineField::SetFieldText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  accepted_ = plain;  // the document's own text is taken as it is, however long
  setPlainText(plain);
}

void MultiLineField::PlaceCaretAtFieldPosition(int position) {
  const QString before = FieldText().left(position);
  QTextCursor cursor = textCursor();
  cursor.setPosition(static_cast<int>(position - before.count(QStringLiteral("\r\n"))));
  setTextCursor(cursor);
}

int MultiLineField::FieldLength(const QString& plainText) {
  return static_cast<int>(plainText.size() + plainText.count('\n'));
}

void MultiLineField::CheckInput() {
  const QString text = toPlainText();
  if (text == accepted_) return;
  const bool tooLong = FieldLength(text) > maxLength_ && FieldLength(text) > FieldLength(accepted_);
  if (tooLong || !IsAnsiRepresentable(text)) {
    Refuse(text);
    return;
  }
  accepted_ = text;
  Q_EMIT fieldChanged();
}

void MultiLineField::Refuse(const QString& text) {
  // Put back what was there, with the caret where the input began.
  const qsizetype inserted = text.size() - accepted_.size();
  const qsizetype caret = std::clamp<qsizetype>(textCursor().position() - inserted, 0, accepted_.size());
  const QSignalBlocker blocker(this);
  setPlainText(accepted_);
  QTextCursor cursor = textCursor();
  cursor.setPosition(static_cast<int>(caret));
  setTextCursor(cursor);
  Beeper().Beep();
}
