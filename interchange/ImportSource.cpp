#include "interchange/ImportSource.h"

#include <algorithm>

#include <QFileInfo>

#include "interchange/TextDecoding.h"
#include "interchange/VCardReader.h"
#include "platform/FileSystem.h"
#include "platform/ReadableFile.h"

namespace {

// Text files have no control characters but tab and line breaks.
bool LooksLikeText(const QByteArray& bytes) {
  const QByteArray start = WithoutByteOrderMark(bytes.left(4096));
  return !start.trimmed().isEmpty() && std::none_of(start.begin(), start.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 && c != '\t' && c != '\r' && c != '\n';
  });
}

// The file's name as the skipped entries give it.
QString NameOf(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

SourceOutcome OpenImportSource(const QString& path, ImportSource& source, PlatformError& error, CardReading reading) {
  if (const FileKind kind = KindOfFile(path); kind != FileKind::Regular && kind != FileKind::Missing)
    return SourceOutcome::NotAFile;
  QByteArray content;
  if (!ReadWholeFile(path, content, error)) return SourceOutcome::Unreadable;
  source.Path = path;
  if (LooksLikeVCard(content)) {
    source.Format = ImportFormat::VCard;
    if (reading == CardReading::WhenPlanned)
      source.CardText = content;
    else
      source.Cards = ReadVCards(content, NameOf(path));
    return SourceOutcome::Read;
  }
  if (!LooksLikeText(content)) return SourceOutcome::NotContacts;
  source.Format = ImportFormat::Csv;
  source.Table = ParseCsv(content, NameOf(path));
  source.Columns = RecogniseColumns(source.Table.Header);
  return SourceOutcome::Read;
}

ReadResult ReadCardsOf(const ImportSource& source, const std::function<void(const ImportedContact&)>& take) {
  if (!source.CardText.isEmpty()) return ReadVCards(source.CardText, NameOf(source.Path), take);
  for (const ImportedContact& contact : source.Cards.Contacts) take(contact);
  return {{}, source.Cards.Skipped, source.Cards.BinaryValuesSkipped};
}

ReadResult ContactsOf(const std::vector<ImportSource>& sources) {
  ReadResult all;
  for (const ImportSource& source : sources) {
    ReadResult one;
    if (source.Format == ImportFormat::VCard)
      one = source.CardText.isEmpty() ? source.Cards : ReadVCards(source.CardText, NameOf(source.Path));
    else
      one = ContactsFromCsv(source.Table, source.Columns);
    std::move(one.Contacts.begin(), one.Contacts.end(), std::back_inserter(all.Contacts));
    all.Skipped.insert(all.Skipped.end(), one.Skipped.begin(), one.Skipped.end());
    all.BinaryValuesSkipped += one.BinaryValuesSkipped;
  }
  return all;
}

QString SourceProblem(const QString& path, SourceOutcome outcome) {
  switch (outcome) {
    case SourceOutcome::Unreadable: return QStringLiteral("Unable to read '%1'.").arg(path);
    case SourceOutcome::NotAFile:
      return QStringLiteral("'%1' is %2, not a vCard or CSV file.").arg(path, FileKindText(KindOfFile(path)));
    case SourceOutcome::Read:
    case SourceOutcome::NotContacts: break;
  }
  return QStringLiteral("'%1' is neither a vCard nor a CSV file.").arg(path);
}
