#pragma once

#include <string>

// The name with its last word moved to the front ("John Smith" gives
// "Smith John"); a name holding a comma is returned trimmed but unchanged.
std::string LastNameFirst(const std::string& name);
