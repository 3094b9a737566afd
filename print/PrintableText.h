#pragma once

#include <string>
#include <vector>

// The text with every control character (tabs, line ends included) turned
// into a space, for texts printed on one line as they are.
std::string OneLineText(std::string text);

// Today's date in the user's short date format.
std::string TodayShortDate();

// Where each character as the reader sees it (a grapheme cluster) ends in
// the UTF-8 text, in bytes: the places text may be cut without breaking a
// character or parting a letter from its marks.
std::vector<size_t> CharacterEnds(const std::string& text);
