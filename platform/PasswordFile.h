#pragma once

#include <QString>

// The password in the first line of the file at path. Refused (error says
// why) when anyone but the file's owner may read or write it.
bool ReadPasswordFile(const QString& path, QString& password, QString& error);
