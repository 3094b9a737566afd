#include "platform/WindowProgram.h"

#include <cerrno>

#include <unistd.h>

#include <QFile>
#include <QFileInfo>

#include "platform/StandardLocations.h"

QString WindowProgramPath() {
  // Called before any QCoreApplication exists, so the folder comes from the
  // kernel's link to this program (symbolic links to it resolved).
  const QString programFolder = QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
  return InstalledOrBuiltPath(programFolder, QStringLiteral(VANTREO_INSTALLED_WINDOW_DIR "/" VANTREO_WINDOW_PROGRAM),
                              QStringLiteral(VANTREO_WINDOW_PROGRAM));
}

PlatformError ExecWindowProgram(const QString& program, char* argv[]) {
  execv(QFile::encodeName(program).constData(), argv);
  return SystemError(errno);
}
