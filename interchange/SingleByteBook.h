#pragma once

#include <QStringList>

#include "core/BookState.h"

// What of a Unicode book the old edition cannot hold, one line per value
// ("Name of record 3: Иван Петров"), in book order.
QStringList UnstorableInSingleByte(const BookState& book);

// Makes book an old-edition book, turning each value the old edition cannot
// hold into Latin letters as an import into such a book does. Sets Dirty.
void ConvertToSingleByte(BookState& book);
