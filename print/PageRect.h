#pragma once

#include <array>
#include <cstdint>

// A page position on the printer page, in twips.
struct PageRect {
  int16_t Left = 0;
  int16_t Top = 0;
  int16_t Right = 0;
  int16_t Bottom = 0;

  bool operator==(const PageRect&) const = default;
};

// The four small pages of a phone book sheet: [0] top right, [1] top left,
// [2] bottom right, [3] bottom left, as seen on the side being printed.
using SheetRects = std::array<PageRect, 4>;
