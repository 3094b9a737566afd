#include "sync/SyncEngine.h"

#include <algorithm>
#include <set>

#include <QHash>
#include <QSet>
#include <QUuid>

#include "core/Document.h"
#include "interchange/ImportPlan.h"
#include "interchange/VCardProperty.h"
#include "interchange/VCardReader.h"
#include "sync/CardPatch.h"
#include "sync/SyncFailure.h"

namespace {

constexpr int kMostTries = 3;

struct ServerView {
  std::vector<ServerCard> Changed;
  QStringList Removed;
  QString Token;
};

// A card to store on the server once the book's side is settled.
struct Upload {
  std::string RecordUid;
  QString Href;
  QByteArray ETag;        // empty for a new card
  QByteArray ServerText;  // the card as the server has it; empty for a new card
};

struct Removal {
  QString Href;
  QByteArray ETag;
  QString Title;
};

// The UID property of a card, without a "urn:uuid:" prefix.
QString CardUid(const QByteArray& text) {
  QString uid;
  ForEachContentLine(text, [&uid](VCardProperty& property) {
    if (uid.isEmpty() && property.Name == "UID")
      uid = QString::fromUtf8(property.Value).trimmed().remove(QStringLiteral("urn:uuid:"), Qt::CaseInsensitive);
  });
  return uid;
}

// Values that differ only in letter case and blanks; phone numbers with the
// same digits, whatever their names.
bool Equivalent(const CardFields& a, const CardFields& b, CardField field) {
  const bool phone = field >= CardField::Phone1 && field <= CardField::Phone4;
  const auto key = [&](const CardFields& fields) {
    QString text = phone ? fields.Phones[static_cast<size_t>(field) - static_cast<size_t>(CardField::Phone1)]
                         : FieldValue(fields, field).toCaseFolded();
    text.removeIf([phone](QChar c) { return phone ? !c.isDigit() : c.isSpace(); });
    return text;
  };
  return key(a) == key(b);
}

class SyncRun {
 public:
  SyncRun(const BookState& book, const SyncState& state, CardDavClient& client, const SyncOptions& options)
      : work_(book), next_(state), client_(client), options_(options), url_(state.Account.AddressBook) {
    plan_.FirstSync = state.Cards.empty() && state.SyncToken.isEmpty();
    IndexEntries();
    IndexRecords();
  }

  SyncResult Run(BookState& book, SyncState& state);

 private:
  ServerView FetchServer();
  ServerView FullListing();
  void FetchTexts(ServerView& view);
  void TakeServerChange(const ServerCard& card);
  void TakeServerRemoval(const QString& href);
  void MatchNewCards(std::vector<ServerCard>& cards);
  void PairLikelyDuplicates(std::vector<ServerCard>& cards);
  void TakeBookChanges();
  void CheckRoom(size_t adding) const;
  void AddHere(const ServerCard& card);
  void UpdateHere(int record, const ServerCard& card);
  // queueUpload: the merged record goes up later (not when an upload is being retried).
  void Merge(int record, const QByteArray* base, const ServerCard& card, bool queueUpload = true);
  void KeepBoth(int record, const ServerCard& card);
  void Link(const ServerCard& card, const AddressRecord& record);
  void Unlink(const QString& href);
  void PushUploads();
  void PushRemovals();
  void Upload(size_t index);
  void FinishDeletions();

  bool ChangedHere(const AddressRecord& record, const SyncedCard& entry) const { return record.ChangedMs != entry.RecordChangedMs; }
  SyncedCard* Entry(const QString& href) { const auto at = entryByHref_.constFind(href); return at == entryByHref_.constEnd() ? nullptr : &next_.Cards[*at]; }
  int RecordOf(const std::string& uid) const { const auto at = recordByUid_.constFind(uid); return at == recordByUid_.constEnd() ? -1 : *at; }
  QString Title(int record) const { return FieldsTitle(FieldsOfRecord(work_, work_.Records[static_cast<size_t>(record)])); }
  void IndexEntries();
  void IndexRecords();
  void Report(SyncProgress::Step stage, qsizetype done, qsizetype total) const {
    if (options_.Progress) options_.Progress({stage, done, total});
  }
  int AppendRecord();

  BookState work_;
  SyncState next_;
  CardDavClient& client_;
  const SyncOptions& options_;
  QUrl url_;
  SyncPlan plan_;
  QHash<QString, size_t> entryByHref_;
  QHash<std::string, int> recordByUid_;
  QSet<QString> settled_;              // hrefs dealt with by a server change
  std::vector<struct Upload> uploads_;
  std::vector<Removal> removals_;
  std::set<std::string> deleteHere_;
};

void SyncRun::IndexEntries() {
  entryByHref_.clear();
  for (size_t i = 0; i < next_.Cards.size(); ++i) entryByHref_.insert(next_.Cards[i].Href, i);
}

void SyncRun::IndexRecords() {
  recordByUid_.clear();
  for (int r = 0; r < work_.RecordCount(); ++r) recordByUid_.insert(work_.Records[static_cast<size_t>(r)].Uid, r);
}

int SyncRun::AppendRecord() {
  work_.Records.emplace_back();
  const int index = work_.RecordCount() - 1;
  InitNewRecord(work_, index);
  recordByUid_.insert(work_.Records.back().Uid, index);
  return index;
}

ServerView SyncRun::FullListing() {
  const CardListing listing = client_.List(url_);
  ServerView view;
  view.Token = options_.ForceETags ? QString() : listing.SyncToken;
  QSet<QString> listed;
  for (const ServerCard& card : listing.Cards) {
    listed.insert(card.Href);
    const SyncedCard* entry = Entry(card.Href);
    if (!entry || entry->ETag.isEmpty() || entry->ETag != card.ETag) view.Changed.push_back(card);
  }
  for (const SyncedCard& entry : next_.Cards)
    if (!listed.contains(entry.Href)) view.Removed << entry.Href;
  return view;
}

ServerView SyncRun::FetchServer() {
  Report(SyncProgress::Step::Listing, 0, 0);
  ServerView view;
  if (!options_.ForceETags && !next_.SyncToken.isEmpty()) {
    try {
      const CardChanges changes = client_.ChangesSince(url_, next_.SyncToken);
      view = {changes.Changed, changes.Removed, changes.SyncToken};
    } catch (const SyncFailure& failure) {
      if (failure.Status != 403 && failure.Status != 409) throw;  // the server forgot the token: list everything
      view = FullListing();
    }
  } else {
    view = FullListing();
  }
  FetchTexts(view);
  return view;
}

// Fetches the changed cards; those whose ETag this side already has (its
// own uploads, reported back by a sync-token) are left out.
void SyncRun::FetchTexts(ServerView& view) {
  QStringList hrefs;
  for (const ServerCard& card : view.Changed)
    if (const SyncedCard* entry = Entry(card.Href); !entry || entry->ETag.isEmpty() || entry->ETag != card.ETag) hrefs << card.Href;
  view.Changed = client_.Fetch(url_, hrefs, [&](qsizetype fetched) { Report(SyncProgress::Step::Receiving, fetched, hrefs.size()); });
}

void SyncRun::CheckRoom(size_t adding) const {
  const size_t total = work_.Records.size() + adding;
  if (total > static_cast<size_t>(kMaxRecords))
    throw SyncFailure{QStringLiteral("The address book on the server would make this book %1 records long; an address book "
                                     "holds at most %2. Nothing was changed.").arg(total).arg(kMaxRecords)};
}

void SyncRun::Link(const ServerCard& card, const AddressRecord& record) {
  if (SyncedCard* entry = Entry(card.Href)) {
    *entry = {card.Href, card.ETag, record.Uid, record.ChangedMs, card.Text};
  } else {
    next_.Cards.push_back({card.Href, card.ETag, record.Uid, record.ChangedMs, card.Text});
    entryByHref_.insert(card.Href, next_.Cards.size() - 1);
  }
  settled_.insert(card.Href);
}

void SyncRun::Unlink(const QString& href) {
  if (!entryByHref_.contains(href)) return;
  next_.Cards.erase(next_.Cards.begin() + static_cast<qsizetype>(entryByHref_.value(href)));
  IndexEntries();
}

void SyncRun::AddHere(const ServerCard& card) {
  CardFields fields;
  if (!FieldsOfCard(card.Text, fields)) return;
  const int index = AppendRecord();
  AddressRecord& record = work_.Records[static_cast<size_t>(index)];
  const QString uid = CardUid(card.Text);
  if (!QUuid::fromString(uid).isNull() && !recordByUid_.contains(uid.toLower().toStdString())) {
    recordByUid_.remove(record.Uid);
    record.Uid = uid.toLower().toStdString();
    recordByUid_.insert(record.Uid, index);
  }
  StoreFields(work_, record, fields);
  plan_.AddHere << FieldsTitle(fields);
  Link(card, record);
}

void SyncRun::UpdateHere(int index, const ServerCard& card) {
  AddressRecord& record = work_.Records[static_cast<size_t>(index)];
  CardFields fields;
  if (FieldsOfCard(card.Text, fields) && fields != FieldsOfRecord(work_, record)) {
    StoreFields(work_, record, fields);
    StampChange(work_, record);
    plan_.UpdateHere << FieldsTitle(fields);
  }
  Link(card, record);
}

// Both versions are kept: the record takes the server's card, and a copy
// with this side's values becomes a new card.
void SyncRun::KeepBoth(int index, const ServerCard& card) {
  const int copy = AppendRecord();
  AddressRecord& duplicate = work_.Records[static_cast<size_t>(copy)];
  const std::string uid = duplicate.Uid;
  duplicate = work_.Records[static_cast<size_t>(index)];
  duplicate.Uid = uid;
  StampChange(work_, duplicate);
  uploads_.push_back({uid, url_.path() + QString::fromStdString(uid) + QStringLiteral(".vcf"), {}, {}});
  plan_.KeptBoth << Title(index);
  UpdateHere(index, card);
}

// Merges field by field: a field changed on one side only takes that side's
// value; one changed on both asks, or keeps both versions. Without a base
// (a likely pair) an empty field takes the other side's value.
void SyncRun::Merge(int index, const QByteArray* base, const ServerCard& card, bool queueUpload) {
  AddressRecord& record = work_.Records[static_cast<size_t>(index)];
  CardFields before, server;
  if (!FieldsOfCard(card.Text, server)) return;
  const bool hasBase = base && FieldsOfCard(*base, before);
  const CardFields here = FieldsOfRecord(work_, record);
  CardFields merged = here;
  for (int f = 0; f < kCardFieldCount; ++f) {
    const auto field = static_cast<CardField>(f);
    if (SameField(here, server, field) || (hasBase && SameField(server, before, field))) continue;
    if ((hasBase && SameField(here, before, field)) || (!hasBase && FieldValue(here, field).isEmpty())) {
      CopyField(merged, server, field);
      continue;
    }
    if (!hasBase && (FieldValue(server, field).isEmpty() || Equivalent(here, server, field))) continue;
    const ConflictChoice choice = options_.Resolve ? options_.Resolve({FieldsTitle(here), field, FieldValue(here, field), FieldValue(server, field)})
                                                   : ConflictChoice::KeepBoth;
    if (choice == ConflictChoice::KeepBoth) return KeepBoth(index, card);
    if (choice == ConflictChoice::KeepServer) CopyField(merged, server, field);
  }
  if (hasBase) plan_.Merged << FieldsTitle(merged);
  if (merged != here) {
    StoreFields(work_, record, merged);
    StampChange(work_, record);
  }
  Link(card, record);
  if (merged != server && queueUpload) uploads_.push_back({record.Uid, card.Href, card.ETag, card.Text});
}

void SyncRun::TakeServerChange(const ServerCard& card) {
  SyncedCard* entry = Entry(card.Href);
  if (!entry) return;
  CardFields before, now;
  const bool sameFields = FieldsOfCard(entry->Text, before) && FieldsOfCard(card.Text, now) && before == now;
  if (entry->RecordUid.empty() || card.Text == entry->Text || sameFields) {
    entry->ETag = card.ETag;  // nothing the record holds changed (the server may have rewritten the card)
    entry->Text = card.Text;
    if (entry->RecordUid.empty()) settled_.insert(card.Href);
    return;
  }
  const int record = RecordOf(entry->RecordUid);
  if (record < 0) return AddHere(card);  // deleted here, changed there: it comes back
  if (!ChangedHere(work_.Records[static_cast<size_t>(record)], *entry)) return UpdateHere(record, card);
  const QByteArray base = entry->Text;
  Merge(record, &base, card);
}

void SyncRun::TakeServerRemoval(const QString& href) {
  const SyncedCard* entry = Entry(href);
  if (!entry) return;
  const int record = RecordOf(entry->RecordUid);
  if (record >= 0 && !ChangedHere(work_.Records[static_cast<size_t>(record)], *entry)) {
    if (next_.KeepDeleted) next_.Unlinked.push_back(entry->RecordUid);
    else if (deleteHere_.insert(entry->RecordUid).second) plan_.DeleteHere << Title(record);
  }
  Unlink(href);  // a record changed here since goes up again as a new card
}

void SyncRun::MatchNewCards(std::vector<ServerCard>& cards) {
  std::vector<ServerCard> unmatched;
  for (const ServerCard& card : cards) {
    const int record = RecordOf(CardUid(card.Text).toLower().toStdString());
    if (record < 0 || settled_.contains(card.Href)) {
      unmatched.push_back(card);
      continue;
    }
    bool linked = false;
    for (const SyncedCard& entry : next_.Cards) linked = linked || entry.RecordUid == work_.Records[static_cast<size_t>(record)].Uid;
    if (linked) unmatched.push_back(card);
    else Merge(record, nullptr, card);
  }
  cards = std::move(unmatched);
}

void SyncRun::PairLikelyDuplicates(std::vector<ServerCard>& cards) {
  QSet<std::string> linked;
  for (const SyncedCard& entry : next_.Cards) linked.insert(entry.RecordUid);
  if (cards.empty() || static_cast<qsizetype>(work_.Records.size()) <= linked.size()) return;
  ReadResult read;
  for (const ServerCard& card : cards) {
    ReadResult one = ReadVCards(card.Text, card.Href);
    read.Contacts.push_back(one.Contacts.empty() ? ImportedContact() : MappedPart(one.Contacts.front()));
  }
  std::vector<bool> paired(cards.size(), false);
  for (const LikelyDuplicate& duplicate : PlanImport(work_, read, false).Duplicates) {
    const std::string uid = work_.Records[static_cast<size_t>(duplicate.ExistingRecord)].Uid;
    if (linked.contains(uid)) continue;
    plan_.LikelyPairs << QStringLiteral("%1 = %2").arg(Title(duplicate.ExistingRecord), duplicate.Contact);
    Merge(duplicate.ExistingRecord, nullptr, cards[static_cast<size_t>(duplicate.ContactIndex)]);
    paired[static_cast<size_t>(duplicate.ContactIndex)] = true;
    linked.insert(uid);
  }
  std::vector<ServerCard> rest;
  for (size_t i = 0; i < cards.size(); ++i)
    if (!paired[i]) rest.push_back(cards[i]);
  cards = std::move(rest);
}

void SyncRun::TakeBookChanges() {
  QSet<std::string> linked(next_.Unlinked.begin(), next_.Unlinked.end());
  for (SyncedCard& entry : next_.Cards) {
    linked.insert(entry.RecordUid);
    if (entry.RecordUid.empty() || settled_.contains(entry.Href)) continue;
    const int record = RecordOf(entry.RecordUid);
    if (record < 0 && next_.KeepDeleted) {
      entry.RecordUid.clear();
    } else if (record < 0) {
      CardFields fields;
      FieldsOfCard(entry.Text, fields);
      removals_.push_back({entry.Href, entry.ETag, FieldsTitle(fields)});
      plan_.DeleteOnServer << FieldsTitle(fields);
    } else if (ChangedHere(work_.Records[static_cast<size_t>(record)], entry)) {
      uploads_.push_back({entry.RecordUid, entry.Href, entry.ETag, entry.Text});
      plan_.UpdateOnServer << Title(record);
    }
  }
  for (int r = 0; r < work_.RecordCount(); ++r) {
    const std::string& uid = work_.Records[static_cast<size_t>(r)].Uid;
    if (linked.contains(uid) || deleteHere_.count(uid)) continue;
    if (std::none_of(uploads_.begin(), uploads_.end(), [&](const struct Upload& u) { return u.RecordUid == uid; }))
      uploads_.push_back({uid, url_.path() + QString::fromStdString(uid) + QStringLiteral(".vcf"), {}, {}});
    plan_.AddOnServer << Title(r);
  }
}

// Stores one card; on 412 the server's card is fetched, merged and tried again.
void SyncRun::Upload(size_t index) {
  for (int attempt = 0; attempt < kMostTries; ++attempt) {
    const struct Upload upload = uploads_[index];
    const int record = RecordOf(upload.RecordUid);
    if (record < 0) return;
    const AddressRecord& current = work_.Records[static_cast<size_t>(record)];
    const QByteArray text = upload.ServerText.isEmpty() ? NewCard(work_, current) : PatchedCard(upload.ServerText, work_, current);
    if (text == upload.ServerText) return Link({upload.Href, upload.ETag, text}, current);
    const PutResult put = client_.Put(url_, upload.Href, text, upload.ETag);
    if (!put.PreconditionFailed) return Link({upload.Href, put.ETag, text}, current);
    const std::vector<ServerCard> fresh = client_.Fetch(url_, {upload.Href});
    if (fresh.empty()) {
      uploads_[index].ETag.clear();
      uploads_[index].ServerText.clear();
      continue;
    }
    const SyncedCard* entry = Entry(upload.Href);
    const QByteArray base = entry ? entry->Text : QByteArray();
    Merge(record, entry ? &base : nullptr, fresh.front(), false);
    uploads_[index].ETag = fresh.front().ETag;
    uploads_[index].ServerText = fresh.front().Text;
  }
  throw SyncFailure{QStringLiteral("A card kept changing on the server while it was being stored; try again.")};
}

void SyncRun::PushUploads() {
  for (size_t i = 0; i < uploads_.size(); ++i) {  // a merge may add more
    Report(SyncProgress::Step::Sending, removals_.size() + i, removals_.size() + uploads_.size());
    Upload(i);
  }
}

void SyncRun::PushRemovals() {
  for (const Removal& removal : removals_) {
    Report(SyncProgress::Step::Sending, &removal - removals_.data(), removals_.size() + uploads_.size());
    if (client_.Remove(url_, removal.Href, removal.ETag)) {
      Unlink(removal.Href);
      continue;
    }
    const std::vector<ServerCard> fresh = client_.Fetch(url_, {removal.Href});  // changed there since: it comes back
    plan_.DeleteOnServer.removeOne(removal.Title);
    Unlink(removal.Href);
    if (!fresh.empty()) AddHere(fresh.front());
  }
}

void SyncRun::FinishDeletions() {
  if (deleteHere_.empty()) return;
  std::erase_if(work_.Records, [this](const AddressRecord& record) { return deleteHere_.count(record.Uid) > 0; });
  work_.CurrentRecord = std::min(work_.CurrentRecord, std::max(0, work_.RecordCount() - 1));
}

SyncResult SyncRun::Run(BookState& book, SyncState& state) {
  SyncResult result;
  try {
    const ServerView view = FetchServer();
    std::vector<ServerCard> newCards;
    for (const ServerCard& card : view.Changed) (Entry(card.Href) ? TakeServerChange(card) : newCards.push_back(card));
    for (const QString& href : view.Removed) TakeServerRemoval(href);
    MatchNewCards(newCards);
    PairLikelyDuplicates(newCards);
    CheckRoom(newCards.size());
    for (const ServerCard& card : newCards) AddHere(card);
    TakeBookChanges();
    result.Plan = plan_;
    if (plan_.FirstSync && options_.ConfirmFirstSync && !options_.ConfirmFirstSync(plan_)) {
      result.Cancelled = true;
      return result;
    }
    PushRemovals();
    PushUploads();
    FinishDeletions();
    next_.SyncToken = view.Token;
  } catch (const SyncFailure& failure) {
    result.Message = failure.Message;
    return result;
  }
  if (!plan_.IsEmpty()) work_.Dirty = true;
  result.Ok = true;
  result.Plan = plan_;
  book = std::move(work_);
  state = std::move(next_);
  return result;
}

}  // namespace

SyncResult SyncBook(BookState& book, SyncState& state, CardDavClient& client, const SyncOptions& options) {
  if (!state.HasAccount()) return {false, false, QStringLiteral("The book has no address book to sync with."), {}};
  if (!book.IsUnicode())
    return {false, false, QStringLiteral("Only a Unicode address book can be synced, so that no name is changed on its way back."), {}};
  return SyncRun(book, state, client, options).Run(book, state);
}
