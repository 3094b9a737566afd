#pragma once

#include <string>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/PlatformError.h"

bool FileExists(const QString& path);

// Reads the whole of a regular file into bytes, with no second copy; a
// folder, a device, a named pipe or a socket is refused at once. On failure
// fills error and returns false.
bool ReadWholeFile(const QString& path, std::string& bytes, PlatformError& error);
bool ReadWholeFile(const QString& path, QByteArray& bytes, PlatformError& error);

// Replaces the file with exactly bytes. The data go to a temporary file that
// takes the file's place only when it is complete, so a failed write leaves
// the old file as it was.
bool WriteFileAtomically(const QString& path, const std::string& bytes, PlatformError& error);

// Writes a file as WriteFileAtomically does, for its owner alone: with the
// owner's permissions of likeFile (read and write when it does not exist),
// and always readable by the owner.
bool WritePrivateFile(const QString& path, const std::string& bytes, const QString& likeFile, PlatformError& error);

// The first count bytes of a regular file (fewer when it is shorter); empty
// when path names no regular file or it cannot be read.
std::string FirstBytesOf(const QString& path, size_t count);

// True when both paths name one existing file (also through links).
bool IsSameFile(const QString& first, const QString& second);

bool RemoveFile(const QString& path);

// The files in folder whose names match pattern ("*.dat"), oldest first.
QStringList FilesIn(const QString& folder, const QString& pattern);
