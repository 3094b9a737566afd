#include "core/RecoveryFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

#include "core/DataFileFit.h"
#include "core/DocumentCodec.h"
#include "core/FileTitle.h"
#include "platform/FileSystem.h"
#include "platform/StandardLocations.h"

namespace {

const QString kDataSuffix = QStringLiteral(".dat");
const QString kNoteSuffix = QStringLiteral(".txt");

// "Quillbox recovered 2024-05-01 10.22.33 (4711).dat": the book's name, when
// and by which run; chosen once, so each run overwrites only its own file.
QString ThisRunsRecoveryFile(const BookState& book) {
  static const QString file = [&book] {
    QString stem = FileTitleOf(book.FileName);
    if (stem.endsWith(kDataSuffix, Qt::CaseInsensitive)) stem.chop(kDataSuffix.size());
    const QString name = QStringLiteral("%1 recovered %2 (%3)%4")
                             .arg(stem, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")))
                             .arg(QCoreApplication::applicationPid())
                             .arg(kDataSuffix);
    return JoinPath(RecoveryFolder(), name);
  }();
  return file;
}

QString NoteFileOf(const QString& recoveryFile) {
  return recoveryFile.chopped(kDataSuffix.size()) + kNoteSuffix;
}

// One "Key=Value" line per fact; the book's path is percent-encoded, as a
// file name may hold any character but the folder separator.
std::string NoteOf(const BookState& book, bool interruptedSave) {
  const FileStamp& stamp = book.OnDisk;
  return "Book=" + book.FileName.toUtf8().toPercentEncoding().toStdString() +
         "\nExists=" + (stamp.Exists ? "1" : "0") + "\nSize=" + std::to_string(stamp.Size) +
         "\nModified=" + std::to_string(stamp.ModifiedNs) + "\nDigest=" + stamp.Digest.toHex().toStdString() +
         "\nInterruptedSave=" + (interruptedSave ? "1" : "0") + "\n";
}

// The note first, so that a recovery file, which is what the next start
// looks for, always has the name of its book; both no more open to others
// than the book itself.
bool WriteKept(const BookState& book, const std::string& bytes, bool interruptedSave, PlatformError& error) {
  const QString file = ThisRunsRecoveryFile(book);
  return WritePrivateFile(NoteFileOf(file), NoteOf(book, interruptedSave), book.FileName, error) &&
         WritePrivateFile(file, bytes, book.FileName, error);
}

KeptChanges ReadNote(const QString& recoveryFile) {
  KeptChanges kept{recoveryFile, QString::fromLatin1(kUntitled), {}};
  std::string text;
  PlatformError ignored;
  if (!ReadWholeFile(NoteFileOf(recoveryFile), text, ignored)) return kept;
  for (const QString& line : QString::fromStdString(text).split('\n', Qt::SkipEmptyParts)) {
    const QString key = line.section('=', 0, 0);
    const QString value = line.section('=', 1);
    if (key == QLatin1String("Book")) kept.BookFile = QString::fromUtf8(QByteArray::fromPercentEncoding(value.toLatin1()));
    if (key == QLatin1String("Exists")) kept.OnDisk.Exists = value == QLatin1String("1");
    if (key == QLatin1String("Size")) kept.OnDisk.Size = value.toLongLong();
    if (key == QLatin1String("Modified")) kept.OnDisk.ModifiedNs = value.toLongLong();
    if (key == QLatin1String("Digest")) kept.OnDisk.Digest = QByteArray::fromHex(value.toLatin1());
    if (key == QLatin1String("InterruptedSave")) kept.InterruptedSave = value == QLatin1String("1");
  }
  return kept;
}

}  // namespace

void KeepChangesForRecovery(const BookState& book) {
  if (!book.Dirty) return;
  PlatformError error;
  std::optional<std::string> bytes = EncodeDocument(book, error);
  // A book past the file's limits is kept as far as a file holds it.
  if (!bytes) bytes = EncodeDocument(FittedToDataFile(book), error);
  // The program is ending and can tell no one of a failure.
  if (bytes) WriteKept(book, *bytes, false, error);
}

bool KeepCopyOfSave(const BookState& book, const std::string& bytes, PlatformError& error) {
  return WriteKept(book, bytes, true, error);
}

void RemoveCopyOfSave(const BookState& book) {
  const QString file = ThisRunsRecoveryFile(book);
  RemoveKeptChanges({file, book.FileName, {}});
}

std::vector<KeptChanges> KeptChangesInRecoveryFolder() {
  std::vector<KeptChanges> kept;
  for (const QString& file : FilesIn(RecoveryFolder(), QStringLiteral("*") + kDataSuffix)) kept.push_back(ReadNote(file));
  return kept;
}

void RemoveKeptChanges(const KeptChanges& kept) {
  RemoveFile(kept.RecoveryFile);
  RemoveFile(NoteFileOf(kept.RecoveryFile));
}
