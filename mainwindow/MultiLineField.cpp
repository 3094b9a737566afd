#include "mainwindow/MultiLineField.h"

#include <QSignalBlocker>
#include <QTextDocument>

#include "platform/SystemBeep.h"

MultiLineField::MultiLineField(int limit, QWidget* parent) : QPlainTextEdit(parent), input_(limit, false) {
  setTabChangesFocus(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineField::CheckInput);
}

// The box's text with '\n' line breaks. The document's raw text is used
// because its plain text turns no-break spaces into blanks.
QString MultiLineField::PlainText() const {
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}

QString MultiLineField::FieldText() const { return PlainText().replace(u'\n', QStringLiteral("\r\n")); }

void MultiLineField::SetFieldText(const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  {
    const QSignalBlocker blocker(this);
    setPlainText(plain);
  }
  input_.Show(PlainText());
}

void MultiLineField::PlaceCaretAtFieldPosition(int position) {
  const QString before = FieldText().left(position);
  QTextCursor cursor = textCursor();
  cursor.setPosition(static_cast<int>(position - before.count(QStringLiteral("\r\n"))));
  setTextCursor(cursor);
}

void MultiLineField::InsertTyped(const QString& text) { insertPlainText(text); }

void MultiLineField::CheckInput() {
  const QString after = PlainText();
  const QString before = input_.Text();
  if (after == before) return;
  const InputVerdict verdict = input_.Admit(after);
  if (verdict.Text != after) PutBack(verdict.Text, verdict.Caret);
  if (verdict.Refusal == InputRefusal::CannotStore) {
    Q_EMIT unstorableInput(verdict.Refused, verdict.Reason);
  } else if (verdict.Refusal != InputRefusal::None) {
    Beeper().Beep();
    Q_EMIT inputRefused(verdict.Reason);
  }
  if (verdict.Text != before) Q_EMIT fieldChanged();
}

// Shows text in place of what the user's change made, with the caret at caret.
void MultiLineField::PutBack(const QString& text, int caret) {
  const QSignalBlocker blocker(this);
  setPlainText(text);
  QTextCursor cursor = textCursor();
  cursor.setPosition(caret);
  setTextCursor(cursor);
}

#include "moc_MultiLineField.cpp"
