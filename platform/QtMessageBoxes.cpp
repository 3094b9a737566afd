#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/MessageBoxes.h"
#include "platform/ProgramIdentity.h"
#include "platform/ServiceSlot.h"

namespace {

struct BoxStyle {
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton;
};

BoxStyle StyleOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Notice:
      return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::ErrorReport:
      return {QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok};
    case MessageKind::Confirmation:
      return {QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MessageKind::DeletionQuestion:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MessageKind::SaveQuestion:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              QMessageBox::Yes};
    case MessageKind::ReplaceQuestion:
      return {QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              QMessageBox::Cancel};
    case MessageKind::PrinterPrompt:
      return {QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok};
    case MessageKind::EditionQuestion:
      return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
  }
  return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
}

MessageAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::OK;
    default: return MessageAnswer::Cancel;
  }
}

class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(MessageKind kind, const QString& text) override {
    const BoxStyle style = StyleOf(kind);
    QMessageBox box(style.icon, QLatin1String(kProgramName), text, style.buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(style.defaultButton);
    if (kind == MessageKind::EditionQuestion) {
      // No access keys: the question comes up while the user types.
      box.button(QMessageBox::Yes)->setText(QStringLiteral("Convert"));
      box.button(QMessageBox::No)->setText(QStringLiteral("Keep the Old Format"));
    }
    return AnswerOf(box.exec());
  }
};

ServiceSlot<MessageBoxes> slot([] { return std::make_unique<QtMessageBoxes>(); });

}  // namespace

MessageAnswer SafeAnswer(MessageKind kind) {
  switch (kind) {
    case MessageKind::Notice:
    case MessageKind::ErrorReport: return MessageAnswer::OK;
    case MessageKind::Confirmation:
    case MessageKind::DeletionQuestion:
    case MessageKind::EditionQuestion: return MessageAnswer::No;
    case MessageKind::SaveQuestion:
    case MessageKind::ReplaceQuestion:
    case MessageKind::PrinterPrompt: return MessageAnswer::Cancel;
  }
  return MessageAnswer::Cancel;
}

MessageBoxes& Messages() { return slot.Get(); }
void InstallMessages(MessageBoxes* implementation) { slot.Install(implementation); }
