#pragma once

#include <array>
#include <cstdint>
#include <string>

// One contact. Text fields are single-byte (windows-1252) strings that may
// contain any byte, including 0; they are never treated as NUL-terminated.
struct AddressRecord {
  std::string Name;
  std::string Company;
  int16_t PrintAs = 0;  // 0 person, 1 business
  std::string Address;  // lines separated by CR LF
  int16_t Group = 0;    // -1 no group, -2 several (see MultiGroups), else a group index
  std::string MultiGroups;  // one byte per group index, only when Group is -2
  std::array<std::string, 4> Phones;
  std::array<int16_t, 4> PhoneNameIndex{};  // -1 for "<Blank>"
  int16_t WhichPhone = 0;  // phone slot shown in the main window, 0 to 3
  std::string Notes;

  bool operator==(const AddressRecord&) const = default;
};

inline constexpr int16_t kNoGroup = -1;
inline constexpr int16_t kMultipleGroups = -2;
inline constexpr int16_t kPrintAsPerson = 0;
inline constexpr int16_t kPrintAsBusiness = 1;
