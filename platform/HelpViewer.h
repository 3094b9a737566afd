#pragma once

// The viewer of the program's help file. Topics are addressed by their
// context numbers.
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

// Anchor names in the help file for the contents and for help on help.
inline constexpr const char* kHelpContentsAnchor = "contents";
inline constexpr const char* kHelpOnHelpAnchor = "using-help";
