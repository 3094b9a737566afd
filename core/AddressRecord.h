#pragma once

#include <array>
#include <cstdint>
#include <string>

// One contact. Text fields are UTF-8 (in NFC as typed) and may contain NUL;
// they are never treated as NUL-terminated. MultiGroups is no text: it holds
// one byte per group index.
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
  std::string Uid;          // stable identifier (a UUID without braces); empty in an old-edition book
  int64_t ChangedMs = 0;    // last change, milliseconds since 1970-01-01 UTC; 0 when unknown

  bool operator==(const AddressRecord&) const = default;
};

inline constexpr int16_t kNoGroup = -1;
inline constexpr int16_t kMultipleGroups = -2;
inline constexpr int16_t kPrintAsPerson = 0;
inline constexpr int16_t kPrintAsBusiness = 1;
