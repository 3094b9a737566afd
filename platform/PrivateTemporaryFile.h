#pragma once

#include <string>

#include <QFile>
#include <QString>

#include "platform/PrivateFolder.h"

// A scratch file with a fixed name in a private folder; the file and its
// folder are deleted when the object goes, on every path, and by the exit
// cleanups. Failures raise PlatformFailure.
class PrivateTemporaryFile {
 public:
  // Creates the file, empty and open for writing.
  explicit PrivateTemporaryFile(const QString& fileName);
  ~PrivateTemporaryFile();
  PrivateTemporaryFile(const PrivateTemporaryFile&) = delete;
  PrivateTemporaryFile& operator=(const PrivateTemporaryFile&) = delete;

  QString Path() const { return file_.fileName(); }

  // Where the next write goes.
  qint64 Position() const { return file_.pos(); }
  void Write(const std::string& bytes);

  // Closes the file and opens it again for reading.
  void ReopenForReading();
  qint64 Size() const { return file_.size(); }
  std::string Read(qint64 position, qint64 length);

 private:
  [[noreturn]] void Fail() const;
  [[noreturn]] void FailWriting();

  PrivateFolder folder_;
  QFile file_;
};
