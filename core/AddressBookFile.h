#pragma once

#include <string>

#include <QString>

// True when path is an address book data file, known by the magic its first
// bytes hold (the content decides, never the name). The one place that
// knows every edition's magic.
bool IsAddressBookFile(const QString& path);

// True when bytes begin as an address book data file does.
bool StartsAsAddressBook(const std::string& bytes);
