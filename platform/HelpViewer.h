#pragma once

// The viewer of the program's help. Topics are addressed by their context
// numbers.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowTopic(int context) = 0;
  virtual void ShowContents() = 0;
  virtual void ShowHowToUse() = 0;
  virtual void Quit() = 0;
};

HelpViewer& Help();
void InstallHelp(HelpViewer* implementation);

// Identifiers of the contents page and of the topic on using help, beside
// the topics' context numbers.
inline constexpr const char* kHelpContentsAnchor = "contents";
inline constexpr const char* kHelpOnHelpAnchor = "using-help";
