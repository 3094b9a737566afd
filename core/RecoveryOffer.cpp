#include "core/RecoveryOffer.h"

#include "core/DataFile.h"
#include "core/ErrorReport.h"
#include "core/RecoveryFile.h"

namespace {

QString OfferText(const KeptChanges& kept) {
  return QStringLiteral("Vantreo was ended before the changes to '%1' were saved. They were kept in '%2'. Do you "
                        "want to open them now? If you choose No, they are kept and offered again at the next start.")
      .arg(kept.BookFile, kept.RecoveryFile);
}

// The kept book, under its own name and still to be saved; nothing when it
// cannot be read (the user is told why).
std::optional<BookState> LoadKeptChanges(const KeptChanges& kept) {
  BookState recovered;
  const Outcome loaded = LoadDocument(recovered, kept.RecoveryFile);
  ShowOutcome(loaded);
  if (!loaded.Succeeded() || !recovered.OnDisk.Exists) return std::nullopt;
  recovered.FileName = kept.BookFile;
  recovered.OnDisk = kept.OnDisk;
  recovered.Dirty = true;
  return recovered;
}

}  // namespace

bool OfferKeptChanges(BookState& book, BookGuard& guard) {
  for (const KeptChanges& kept : KeptChangesInRecoveryFolder()) {
    if (ShowMessage(MessageKind::Confirmation, OfferText(kept)) != MessageAnswer::Yes) continue;
    const bool untitled = kept.BookFile == QLatin1String(kUntitled);
    if (!untitled && !guard.Claim(kept.BookFile, BookGuard::Purpose::Open)) continue;
    std::optional<BookState> recovered = LoadKeptChanges(kept);
    if (recovered) {
      book = std::move(*recovered);
      RemoveKeptChanges(kept);
    }
    guard.Follow(book);
    if (recovered) return true;
  }
  return false;
}
