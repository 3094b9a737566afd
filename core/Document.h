#pragma once

#include <string>

#include "core/BookState.h"

// Replaces the document with an empty one; DefaultPrintAs is kept.
void NewDocument(BookState& book);

// Gives the freshly appended record at index its defaults.
void InitNewRecord(BookState& book, int index);

// Appends a name to the list and returns its index; sets Dirty.
int AddGroup(BookState& book, const std::string& name);
int AddPhoneName(BookState& book, const std::string& name);
