#pragma once

#include <string>
#include <vector>

#include "core/BookState.h"
#include "platform/Printer.h"

// How the lines of one record are composed.
struct ItemStyle {
  bool IncludeAddresses = false;
  double WrapWidth = 0;
};

// The printed lines of one record: names, phone lines (description, TAB,
// number) and, with addresses, the wrapped address.
std::vector<std::string> ItemLines(Printer& printer, const BookState& book, const AddressRecord& record,
                                   const ItemStyle& style);

// The alphabet letter heading of a display key: its first character upper-cased.
std::string HeadingLetter(const std::string& displayKey);
