#pragma once

#include <cstdint>
#include <string>

// Values through which modal dialogs hand their results back to the window
// that opened them. DialogOK also carries a list index or mode into some
// dialogs before they open, so it is an integer: 0 false, non-zero true.
struct DialogExchange {
  int DialogOK = 0;
  std::string DialogText;
  int ListMode = 0;  // 0 groups, 1 phone names
  int ReassignTarget = -1;
};

inline constexpr int kListModeGroups = 0;
inline constexpr int kListModePhoneNames = 1;

DialogExchange& Exchange();
