#include "support/FakePlatform.h"

MessageAnswer FakeMessageBoxes::Show(MessageKind kind, const QString& text) {
  shown.emplace_back(kind, text);
  if (!answers.empty()) {
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return SafeAnswer(kind);
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
