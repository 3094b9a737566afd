#include "core/FieldInput.h"

#include <algorithm>
#include <vector>

#include <QTextBoundaryFinder>

#include "platform/AnsiText.h"

namespace {

// Where each character as the user sees it (a grapheme cluster) ends.
std::vector<qsizetype> Characters(const QString& text) {
  std::vector<qsizetype> ends;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
  for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) ends.push_back(end);
  return ends;
}

// Each line break (a CR LF pair counts as one) and each tab as a blank.
QString OnOneLine(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  for (const QChar separator : {QChar(u'\r'), QChar(u'\n'), QChar(u'\t'), QChar(QChar::LineSeparator),
                                QChar(QChar::ParagraphSeparator)})
    text.replace(separator, u' ');
  return text;
}

}  // namespace

QString FirstUnstorable(const QString& text) {
  if (IsAnsiRepresentable(text)) return {};
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, length);
    if (!IsAnsiRepresentable(character)) return character;
    i += length;
  }
  return {};
}

void FieldInput::Show(const QString& text) {
  shown_ = text;
  text_ = text;
}

InputVerdict FieldInput::Admit(const QString& after) {
  const QString& before = text_;
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  QString insertion = after.mid(prefix, after.size() - prefix - suffix);

  InputVerdict verdict;
  verdict.Text = after;
  verdict.Caret = static_cast<int>(after.size() - suffix);
  // Deleting, and going back to the shown text (undo), are always allowed.
  if (!insertion.isEmpty() && after != shown_) {
    if (oneLine_) insertion = OnOneLine(insertion);
    if (const QString unstorable = unicode_ ? QString() : FirstUnstorable(insertion); !unstorable.isEmpty())
      return {before, static_cast<int>(prefix), InputRefusal::CannotStore,
              QStringLiteral("'%1' cannot be stored in this address book").arg(unstorable), insertion};
    const QString head = before.left(prefix);
    const QString tail = before.right(suffix);
    const int ceiling = std::max(limit_, Length(shown_));
    const QString fitting = Fitting(insertion, ceiling - Length(head) - Length(tail));
    if (fitting.size() < insertion.size()) {
      verdict.Refusal = InputRefusal::TooLong;
      verdict.Reason = QStringLiteral("This box holds at most %1 characters").arg(limit_);
    }
    // When nothing fits, the change is undone whole, selection included.
    verdict.Text = fitting.isEmpty() ? before : head + fitting + tail;
    verdict.Caret = static_cast<int>(fitting.isEmpty() ? prefix : prefix + fitting.size());
  }
  text_ = verdict.Text;
  return verdict;
}

int FieldInput::Length(const QString& text) const {
  return static_cast<int>(Characters(text).size() + (oneLine_ ? 0 : text.count(u'\n')));
}

QString FieldInput::Fitting(const QString& insertion, int room) const {
  qsizetype end = 0;
  int used = 0;
  for (const qsizetype next : Characters(insertion)) {
    used += !oneLine_ && insertion[end] == u'\n' ? 2 : 1;
    if (used > room) break;
    end = next;
  }
  return insertion.left(end);
}
