#pragma once

#include <string>

// The text with every control character (tabs, line ends included) turned
// into a space, for texts printed on one line as they are.
std::string OneLineText(std::string text);

// Today's date in the user's short date format.
std::string TodayShortDate();
