#include "core/ExportFile.h"

#include "core/AddressBookFile.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

ExportOutcome WriteExportFile(const BookState& book, const QString& path, const std::string& bytes,
                              PlatformError& error) {
  if (IsSameFile(path, book.FileName)) return ExportOutcome::RefusedBook;
  if (IsAddressBookFile(path)) return ExportOutcome::RefusedAddressBook;
  return ReplaceFile(path, bytes, PreviousVersion::KeepAsBackup, error) ? ExportOutcome::Written
                                                                         : ExportOutcome::Failed;
}

QString ExportFailure(const QString& path) { return QStringLiteral("Unable to export to '%1'.").arg(path); }

QString ExportRefusal(ExportOutcome outcome, const QString& path) {
  return outcome == ExportOutcome::RefusedBook
             ? QStringLiteral("'%1' is the address book being exported; choose another file for the export.").arg(path)
             : QStringLiteral("'%1' is an address book; choose another file for the export.").arg(path);
}
