#pragma once

#include "platform/Clipboard.h"

class FakeClipboard : public Clipboard {
 public:
  void Clear() override {
    text.clear();
    holdsText = false;
    ++clears;
  }
  void SetText(const QString& newText) override {
    text = newText;
    holdsText = true;
  }
  QString GetText() override { return text; }
  bool HasText() override { return holdsText; }

  QString text;
  bool holdsText = false;
  int clears = 0;
};
