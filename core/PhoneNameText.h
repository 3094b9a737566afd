#pragma once

#include <string>

#include "core/BookState.h"

inline constexpr const char* kBlankPhoneNameText = "<Blank>";

// The phone name at index, or "<Blank>" for -1 (and any index not in the list).
std::string PhoneNameText(const BookState& book, int index);
