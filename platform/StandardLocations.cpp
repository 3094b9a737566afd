#include "platform/StandardLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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

QString RecoveryFolder() {
  return EnsureFolder(JoinPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                               QStringLiteral("Recovery")));
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

QString CanonicalPath(const QString& path) {
  const QFileInfo info(path);
  const QString existing = info.canonicalFilePath();
  if (!existing.isEmpty()) return existing;
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return folder.isEmpty() ? info.absoluteFilePath() : JoinPath(folder, info.fileName());
}
