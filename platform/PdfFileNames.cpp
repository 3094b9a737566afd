#include "platform/PdfFileNames.h"

#include <QFileInfo>

#include "platform/StandardLocations.h"

namespace {

QStringList PathsFor(const QString& folder, const QString& stem, const QStringList& parts) {
  if (parts.isEmpty()) return {JoinPath(folder, stem + QStringLiteral(".pdf"))};
  QStringList paths;
  for (const QString& part : parts) paths << JoinPath(folder, QStringLiteral("%1 %2.pdf").arg(stem, part));
  return paths;
}

bool AnyExists(const QStringList& paths) {
  for (const QString& path : paths)
    if (QFileInfo::exists(path)) return true;
  return false;
}

}  // namespace

QStringList NewPdfPaths(const QString& folder, const QString& report, const QStringList& parts,
                        const QDateTime& now) {
  const QString stem =
      QStringLiteral("Vantreo %1 %2").arg(report, now.toString(QStringLiteral("yyyy-MM-dd hh-mm")));
  QStringList paths = PathsFor(folder, stem, parts);
  for (int copy = 2; AnyExists(paths); ++copy) paths = PathsFor(folder, QStringLiteral("%1 (%2)").arg(stem).arg(copy), parts);
  return paths;
}
