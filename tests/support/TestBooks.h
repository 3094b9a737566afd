#pragma once

#include <string>

#include <QString>

#include "core/BookState.h"

// A new document with the given groups.
BookState BookWithGroups(std::initializer_list<const char*> groups);

// A record with a name (and optional company), otherwise as a new record of book.
AddressRecord& AddRecord(BookState& book, const std::string& name, const std::string& company = "");

// A book of count people "Person 1" ... with a phone number and a two-line
// address each.
BookState PeopleBook(int count);

std::string ReadBytes(const QString& path);
void WriteBytes(const QString& path, const std::string& bytes);
