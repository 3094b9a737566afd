#pragma once

#include <string>
#include <vector>

#include "platform/Printer.h"

// Appends the lines of text, wrapped between words so that each line fits
// in maxWidth in the printer's current font. Blanks and tabs become single
// spaces, a line feed starts a new line and other control characters are
// dropped; a word wider than maxWidth gets a line of its own, uncut.
void WrapText(Printer& printer, const std::string& text, std::vector<std::string>& lines, double maxWidth);
