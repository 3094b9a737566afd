#pragma once

#include <string>

// Asks the user to prepare the printer before a side B sheet.
class ReadyPagePrompt {
 public:
  virtual ~ReadyPagePrompt() = default;
  // promptText names the sheet ("Page 2 - Side B"). Returns false when the
  // user aborts; promptEachPage comes back as the user left it.
  virtual bool Ask(const std::string& promptText, bool& promptEachPage) = 0;
};

// The prompt in use: frmReadyPage unless another is installed.
ReadyPagePrompt& ReadyPage();
void InstallReadyPage(ReadyPagePrompt* implementation);
