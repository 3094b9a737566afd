#pragma once

#include <QStringList>

#include "core/BookState.h"
#include "platform/Printer.h"
#include "print/PrintJob.h"

// The records of the job with a character for which no installed font has a
// glyph (it prints as an empty box), each as "Record 3: name", measured in
// the printer's current font.
QStringList RecordsMissingGlyphs(Printer& printer, const BookState& book, const PrintJob& job);
