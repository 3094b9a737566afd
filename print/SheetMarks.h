#pragma once

#include <string>

#include "platform/Printer.h"
#include "print/PageRect.h"

// The 2 x 2 block of 3960 x 5400-twip small pages centred on the printer page.
void InitSheetRects(Printer& printer, SheetRects& rects);

// Shifts every rect by the offsets, in inches: positive x to the right,
// positive y down.
void ApplyOffsets(SheetRects& rects, float xOffset, float yOffset);

// A cut mark: a plus sign 150 twips across centred on (x, y).
void DrawCross(Printer& printer, int x, int y);

// The cut marks at the corners of the upper row, and of the lower row when
// lowerRow, and the caption centred above the block.
void DrawCropMarks(Printer& printer, const SheetRects& rects, bool lowerRow, const std::string& caption);
