#pragma once

#include <string>
#include <vector>

// The indexes of names in alphabetical order (case-insensitive, the user's
// locale); equal names keep their list order.
std::vector<int> AlphabeticalOrder(const std::vector<std::string>& names);
