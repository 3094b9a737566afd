#include "support/FakePlatform.h"

MessageAnswer FakeMessageBoxes::Show(MessageKind kind, const QString& text) {
  shown.emplace_back(kind, text);
  if (!answers.empty()) {
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  switch (kind) {
    case MessageKind::Notice:
    case MessageKind::ErrorReport: return MessageAnswer::OK;
    case MessageKind::Confirmation:
    case MessageKind::DeletionQuestion: return MessageAnswer::No;
    case MessageKind::SaveQuestion:
    case MessageKind::ReplaceQuestion:
    case MessageKind::PrinterPrompt: return MessageAnswer::Cancel;
  }
  return MessageAnswer::Cancel;
}

void FakePlatform::Reset() {
  messages = {};
  busy = {};
  help = {};
  beep = {};
  InstallMessages(&messages);
  InstallBusy(&busy);
  InstallHelp(&help);
  InstallBeeper(&beep);
}

FakePlatform& Fakes() {
  static FakePlatform fakes;
  return fakes;
}
