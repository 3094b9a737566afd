#pragma once

#include <string>

#include <QString>

#include "platform/PlatformError.h"

bool FileExists(const QString& path);

// Reads the whole file; on failure fills error and returns false.
bool ReadWholeFile(const QString& path, std::string& bytes, PlatformError& error);

// Replaces the file with exactly bytes. The data go to a temporary file that
// takes the file's place only when it is complete, so a failed write leaves
// the old file as it was.
bool WriteFileAtomically(const QString& path, const std::string& bytes, PlatformError& error);

bool RemoveFile(const QString& path);
