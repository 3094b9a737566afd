#pragma once

#include <cmath>

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2),
// as every measured position of a printout is rounded.
inline int RoundToEven(double value) { return static_cast<int>(std::nearbyint(value)); }
