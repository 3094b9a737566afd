#pragma once

#include <QString>

// The first character of text that the old data file edition cannot store,
// or nothing.
QString FirstUnstorable(const QString& text);

// Why some of what the user typed or pasted was kept out of a text box.
enum class InputRefusal { None, TooLong, CannotStore };

struct InputVerdict {
  QString Text;    // the box's text with what was let in
  int Caret = 0;   // just after what was let in
  InputRefusal Refusal = InputRefusal::None;
  QString Reason;  // what the user is told when something was kept out
  QString Refused;  // on CannotStore, the insertion that was kept out
};

// The input rule of one record text box: decides what typed or pasted text
// may enter it, whatever route the text came by (keys, paste, drag and drop,
// an input method, the Edit menu). The limit applies only to what the user
// adds, never to what the program shows: a value longer than the limit,
// shown from the book, stays whole and may keep its length but not grow.
//
// A change is judged by what replaced part of the box's text (the
// insertion). Deleting is always allowed. An insertion holding a character
// the data file cannot store is refused whole. In a one-line box its line
// breaks and tabs become blanks. Of the rest, as much as fits is let in.
class FieldInput {
 public:
  // limit counts characters as the user sees them (grapheme clusters: a
  // letter with its combining marks, an emoji sequence); in a multi-line box
  // a line break counts two (it is stored as CR LF, while the box holds it
  // as one '\n').
  FieldInput(int limit, bool oneLine) : limit_(limit), oneLine_(oneLine) {}

  // The program puts text into the box: taken whole, however long.
  void Show(const QString& text);

  // Judges the box's change from Text() to after; what is let in becomes Text().
  InputVerdict Admit(const QString& after);

  void SetUnicode(bool unicode) { unicode_ = unicode; }

  const QString& Text() const { return text_; }
  int Limit() const { return limit_; }

 private:
  int Length(const QString& text) const;
  QString Fitting(const QString& insertion, int room) const;

  int limit_;
  bool oneLine_;
  bool unicode_ = false;
  QString shown_;
  QString text_;
};
