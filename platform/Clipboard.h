#pragma once

#include <QString>

// The system clipboard, for text.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const QString& text) = 0;
  virtual QString GetText() = 0;
  virtual bool HasText() = 0;
};

Clipboard& SystemClipboard();
void InstallClipboard(Clipboard* implementation);
