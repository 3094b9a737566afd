#pragma once

#include <optional>
#include <string>

#include <QString>

#include "platform/FileStamp.h"
#include "platform/PlatformError.h"

// What becomes of the file that a new one replaces.
enum class PreviousVersion {
  Discard,
  KeepAsBackup,  // kept as "<name>.bak" beside it, replacing an older one, with its permissions
};

// Replaces the file at path (or the file a symbolic link there points to)
// with exactly bytes. The bytes go to a new file beside it that takes its
// place only when complete, so a failed write (a full disk, a file size
// limit) leaves the old file as it was. Only where that replacement is
// impossible (a folder that takes no new file) is the old file overwritten
// in place, after its space has been reserved. Returns the stamp of the new
// file, or nothing with error set to the system's error number and text.
std::optional<FileStamp> ReplaceFile(const QString& path, const std::string& bytes, PreviousVersion previous,
                                     PlatformError& error);
