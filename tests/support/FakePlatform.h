#pragma once

#include <deque>
#include <utility>
#include <vector>

#include <QString>

#include "platform/BusyPointer.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "platform/SystemBeep.h"

// Message boxes that record what was shown and answer from a queue; with an
// empty queue a question is answered No (Cancel where there is no No).
class FakeMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(MessageKind kind, const QString& text) override;

  std::vector<std::pair<MessageKind, QString>> shown;
  std::deque<MessageAnswer> answers;
};

class FakeBusyPointer : public BusyPointer {
 public:
  void Show() override { ++depth; ++timesShown; }
  void Restore() override { if (depth > 0) --depth; }
  bool IsBusy() const override { return depth > 0; }
  // The pointer was shown for the work and is the normal one again.
  bool ShownThenRestored() const { return timesShown > 0 && depth == 0; }

  int depth = 0;
  int timesShown = 0;
};

class FakeHelpViewer : public HelpViewer {
 public:
  void ShowTopic(int context) override { topics.push_back(context); }
  void ShowContents() override { ++contentsShown; }
  void ShowHowToUse() override { ++howToUseShown; }
  void Quit() override { ++quits; }

  std::vector<int> topics;
  int contentsShown = 0;
  int howToUseShown = 0;
  int quits = 0;
};

class FakeBeep : public SystemBeep {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

// The fakes every test runs with; they are reset before each test.
struct FakePlatform {
  FakeMessageBoxes messages;
  FakeBusyPointer busy;
  FakeHelpViewer help;
  FakeBeep beep;

  void Reset();
};

FakePlatform& Fakes();
