#include "platform/StandardLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

// The recovery folder holds whole books: only their owner may enter it,
// also when an older version made it open to others.
QString RecoveryFolder() {
  const QString parent = EnsureFolder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  const QString folder = JoinPath(parent, QStringLiteral("Recovery"));
  const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  if (!QDir().mkdir(folder, ownerOnly)) QFile::setPermissions(folder, ownerOnly);
  return folder;
}

QString SyncFolder() {
  return EnsureFolder(JoinPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation), QStringLiteral("Sync")));
}

QString DefaultExportFilePath() {
  return JoinPath(QDir::homePath(), QStringLiteral("export.txt"));
}

// Installed, the collection is under share/ of the prefix; in the build
// folder it is in help/ beside the program. When neither exists, the
// installed place is named in the message.
QString HelpCollectionPath() {
  return InstalledOrBuiltPath(QCoreApplication::applicationDirPath(), QStringLiteral(VANTREO_INSTALLED_HELP_DIR "/vantreo.qhc"),
                              QStringLiteral(VANTREO_BUILD_HELP_DIR "/vantreo.qhc"));
}

QString InstalledOrBuiltPath(const QString& programFolder, const QString& installed, const QString& built) {
  const QDir folder(programFolder);
  const QString installedPath = QDir::cleanPath(folder.filePath(installed));
  const QString builtPath = QDir::cleanPath(folder.filePath(built));
  return !QFileInfo::exists(installedPath) && QFileInfo::exists(builtPath) ? builtPath : installedPath;
}

QString DocumentsFolder() {
  return EnsureFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString AbsolutePath(const QString& path) {
  return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
}

QString CanonicalPath(const QString& path) {
  const QFileInfo info(path);
  const QString existing = info.canonicalFilePath();
  if (!existing.isEmpty()) return existing;
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return folder.isEmpty() ? info.absoluteFilePath() : JoinPath(folder, info.fileName());
}
