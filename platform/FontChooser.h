#pragma once

#include <QString>

// A font as the font chooser shows and returns it.
struct FontChoice {
  QString Name;
  double Size = 0;  // points, possibly fractional
  bool Bold = false;
  bool Italic = false;
};

// The platform's font selection dialog, with a Help button that opens the
// given help topic.
class FontChooser {
 public:
  virtual ~FontChooser() = default;
  // Shows font; true with the user's choice in font, false when cancelled.
  virtual bool Choose(FontChoice& font, int helpContext) = 0;
};

FontChooser& Fonts();
void InstallFonts(FontChooser* implementation);
