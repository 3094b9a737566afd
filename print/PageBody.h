#pragma once

#include "platform/Printer.h"
#include "print/LineFile.h"
#include "print/PageRect.h"

// Draws page (1-based) of the line file into rect: its lines from the top,
// margin inside the rect, a two-part line with its right part flush right
// behind dot leaders, and the page number centred at the foot.
void PrintPageBody(Printer& printer, LineFile& file, const PageRect& rect, int page, int margin);
