#pragma once

#include <QString>

// Where the program keeps and finds its files on this platform.
QString DefaultDataFilePath();    // "Quillbox.dat" in the user's application data folder
QString DefaultExportFilePath();  // "export.txt" in the user's home folder
QString HelpCollectionPath();     // the help collection Qt Assistant shows
QString DocumentsFolder();
QString RecoveryFolder();          // "Recovery" in the user's application data folder
QString SyncFolder();              // "Sync" in the user's application data folder: the books' sync states
QString JoinPath(const QString& folder, const QString& fileName);
QString AbsolutePath(const QString& path);  // relative to the current directory, without "." and ".." steps
// The one name of the file at path: absolute, with symbolic links resolved
// (for a file that does not exist yet, those of its folder).
QString CanonicalPath(const QString& path);

// The file at installed, relative to programFolder, unless only the one at
// built exists: how a program finds what lies at one place when installed and
// at another in the build folder. When neither exists, the installed place is
// the one to name.
QString InstalledOrBuiltPath(const QString& programFolder, const QString& installed, const QString& built);
