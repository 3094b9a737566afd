#include "core/RecoveryOffer.h"

#include "core/DataFile.h"
#include "core/ErrorReport.h"
#include "core/RecoveryFile.h"
#include "platform/FileStamp.h"

namespace {

QString OfferText(const KeptChanges& kept) {
  if (kept.InterruptedSave)
    return QStringLiteral("Vantreo was ended while it saved '%1', which may be damaged. The whole book as it was being "
                          "saved was kept in '%2'. Do you want to open it now? If you choose No, it is kept and offered "
                          "again at the next start.")
        .arg(kept.BookFile, kept.RecoveryFile);
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
  // A book file that a save left half-written is replaced without asking.
  recovered.OnDisk = kept.InterruptedSave ? StampOfFile(kept.BookFile) : kept.OnDisk;
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
