#pragma once

#include <functional>
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
// in place, after its space has been reserved; its first 16 bytes are zeros
// until everything else is written, so that a file left half-written never
// passes for a whole one. Returns the stamp of the new
// file, or nothing with error set to the system's error number and text.
std::optional<FileStamp> ReplaceFile(const QString& path, const std::string& bytes, PreviousVersion previous,
                                     PlatformError& error);

// How a replacement treats what it makes and what a crash could leave.
struct ReplacementOptions {
  PreviousVersion Previous = PreviousVersion::Discard;
  // The permissions of the new file (as chmod takes them); without them it
  // gets those of the file it replaces, or those of any new file.
  std::optional<unsigned> Permissions;
  // Called before the old file is overwritten in place, which a crash would
  // leave half old, half new: keeps a complete copy of the new bytes
  // elsewhere, or fails (with error set) and nothing is overwritten.
  std::function<bool(const std::string& bytes, PlatformError& error)> KeepCopyBeforeOverwriting;
  // Called once the file has been overwritten in place, or that failed
  // without a byte written: the copy is no longer needed.
  std::function<void()> DropCopy;
};

std::optional<FileStamp> ReplaceFile(const QString& path, const std::string& bytes, const ReplacementOptions& options,
                                     PlatformError& error);

// Removes the temporary files "<path>.XXXXXX" that replacements of path
// killed before they finished have left beside it: regular files of the
// user's own, as far as isLeftOver (given each one's path) confirms them.
// Links, pipes and other users' files of that name are left alone.
void RemoveLeftOverTemporaries(const QString& path, const std::function<bool(const QString& file)>& isLeftOver);
