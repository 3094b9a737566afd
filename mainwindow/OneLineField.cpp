#include "mainwindow/OneLineField.h"

#include <limits>

#include "platform/SystemBeep.h"

// Every change the user makes passes the box's validator before it is shown:
// keys, paste, drag and drop, input methods and the Edit menu alike.
class OneLineField::InputRuleValidator : public QValidator {
 public:
  explicit InputRuleValidator(OneLineField* field) : QValidator(field), field_(field) {}
  State validate(QString& input, int& position) const override { return field_->Validate(input, position); }

 private:
  OneLineField* field_;
};

OneLineField::OneLineField(int limit, QWidget* parent) : QLineEdit(parent), input_(limit, true) {
  // The box itself never cuts text; the input rule limits what the user adds.
  setMaxLength(std::numeric_limits<int>::max());
  setValidator(new InputRuleValidator(this));
}

void OneLineField::SetFieldText(const QString& text) {
  input_.Show(text);
  setText(text);
}

void OneLineField::InsertTyped(const QString& text) { insert(text); }

QValidator::State OneLineField::Validate(QString& input, int& position) {
  if (input == input_.Text()) return QValidator::Acceptable;
  const QString before = input_.Text();
  const InputVerdict verdict = input_.Admit(input);
  if (verdict.Refusal == InputRefusal::CannotStore) {
    Q_EMIT unstorableInput(verdict.Refused, verdict.Reason);
  } else if (verdict.Refusal != InputRefusal::None) {
    Beeper().Beep();
    Q_EMIT inputRefused(verdict.Reason);
  }
  if (verdict.Text == before) return QValidator::Invalid;  // the box takes its change back
  if (verdict.Text != input) {
    input = verdict.Text;
    position = verdict.Caret;
  }
  return QValidator::Acceptable;
}

#include "moc_OneLineField.cpp"
