#pragma once

#include <string>

#include "core/BookState.h"

// Replaces the document with an empty one; DefaultPrintAs is kept.
void NewDocument(BookState& book);

// Gives the freshly appended record at index its defaults.
void InitNewRecord(BookState& book, int index);

// In a Unicode book, records that the record changed now and gives it an
// identifier when it has none; an old-edition book keeps neither.
void StampChange(const BookState& book, AddressRecord& record);

// Turns the book into a Unicode book: each record gets an identifier and,
// as its last change, the time of the conversion. Sets Dirty.
void ConvertToUnicode(BookState& book);

// Appends a name to the list and returns its index; sets Dirty.
int AddGroup(BookState& book, const std::string& name);
int AddPhoneName(BookState& book, const std::string& name);
