#include "platform/StandardLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString EnsureFolder(const QString& folder) {
  QDir().mkpath(folder);
  return folder;
}

}  // namespace

QString JoinPath(const QString& folder, const QString& fileName) {
  return QDir::toNativeSeparators(QDir(folder).filePath(fileName));
}

QString DefaultDataFilePath() {
  return JoinPath(EnsureFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
                  QStringLiteral("Quillbox.dat"));
}

QString DefaultExportFilePath() {
  return JoinPath(QDir::homePath(), QStringLiteral("export.txt"));
}

QString HelpFilePath() {
  return JoinPath(QCoreApplication::applicationDirPath(), QStringLiteral("QUILLBOX.html"));
}

QString DocumentsFolder() {
  return EnsureFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString AbsolutePath(const QString& path) {
  return QDir::toNativeSeparators(QDir::current().absoluteFilePath(path));
}
