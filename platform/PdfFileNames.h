#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Paths in folder for the PDF files of one job, one per part ("side A",
// "side B") or one alone without parts: "Vantreo <report> <yyyy-MM-dd hh-mm>
// [<part>].pdf". None of them exists yet: a later job in the same minute
// gets " (2)", " (3)" ... after the time.
QStringList NewPdfPaths(const QString& folder, const QString& report, const QStringList& parts,
                        const QDateTime& now);
