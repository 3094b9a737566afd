#include "core/FileTitle.h"

#include <QDir>

QString FileTitleOf(const QString& path) {
  const QString portable = QDir::fromNativeSeparators(path);
  return portable.mid(portable.lastIndexOf('/') + 1);
}
