#pragma once

#include <QString>

// The kinds of message box the program shows; each is titled "Vantreo".
enum class MessageKind {
  Notice,            // OK, no icon
  ErrorReport,       // OK, exclamation
  Confirmation,      // Yes/No, exclamation
  DeletionQuestion,  // Yes/No, question
  SaveQuestion,      // Yes/No/Cancel, question
  ReplaceQuestion,   // Yes/No/Cancel, exclamation, Cancel by default: saving over another's work
  PrinterPrompt,     // OK/Cancel, no icon
  EditionQuestion,   // "Convert" (Yes) / "Keep the Old Format" (No), question, keeping by default
};

enum class MessageAnswer { OK, Cancel, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer Show(MessageKind kind, const QString& text) = 0;
};

// The answer that changes nothing: OK for a message, No or Cancel for a question.
MessageAnswer SafeAnswer(MessageKind kind);

MessageBoxes& Messages();
void InstallMessages(MessageBoxes* implementation);
