#include "platform/FileStamp.h"

#include "platform/ReadableFile.h"

FileStamp StampOfFile(const QString& path) {
  ReadableFile file;
  PlatformError ignored;
  switch (file.Open(path, ignored)) {
    case ReadableFile::Opening::Opened: return file.Stamp();
    case ReadableFile::Opening::Missing: return {};
    case ReadableFile::Opening::NotAFile:
    case ReadableFile::Opening::Failed: break;
  }
  return UnreadableFileStamp();
}
