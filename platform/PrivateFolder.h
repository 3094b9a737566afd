#pragma once

#include <memory>

#include <QString>
#include <QTemporaryDir>

#include "platform/ExitCleanup.h"

// A new temporary folder that only the user can read. It is removed with
// this object, and by the exit cleanups should the program be ended from
// outside while it exists. Raises PlatformFailure when it cannot be made.
class PrivateFolder {
 public:
  PrivateFolder();
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  QString Path() const { return folder_.path(); }
  QString FilePath(const QString& fileName) const { return folder_.filePath(fileName); }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<ScopedExitCleanup> cleanup_;
};
