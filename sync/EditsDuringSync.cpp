#include "sync/EditsDuringSync.h"

#include <algorithm>

#include <QHash>

#include "core/Document.h"
#include "sync/CardFields.h"

namespace {

using RecordsByUid = QHash<std::string, const AddressRecord*>;

RecordsByUid IndexByUid(const BookState& book) {
  RecordsByUid index;
  for (const AddressRecord& record : book.Records) index.insert(record.Uid, &record);
  return index;
}

class OutcomeTaker {
 public:
  OutcomeTaker(BookState& now, const BookState& before, const BookState& synced)
      : now_(now), before_(before), synced_(synced), beforeByUid_(IndexByUid(before)), syncedByUid_(IndexByUid(synced)),
        // The sync only appends to the group and phone name lists: while the
        // window left them alone, the sync's records fit the book as they are.
        sameLists_(now.Groups == before.Groups && now.PhoneNames == before.PhoneNames) {}

  int Take();

 private:
  void TakeRecord(const AddressRecord& record);
  AddressRecord FromSync(const AddressRecord& synced);
  AddressRecord Combined(const AddressRecord& edited, const AddressRecord& before, const AddressRecord& synced);

  BookState& now_;
  const BookState& before_;
  const BookState& synced_;
  const RecordsByUid beforeByUid_;
  const RecordsByUid syncedByUid_;
  const bool sameLists_;
  std::vector<AddressRecord> records_;
  int kept_ = 0;
};

AddressRecord OutcomeTaker::FromSync(const AddressRecord& synced) {
  if (sameLists_) return synced;
  AddressRecord record = synced;
  StoreFields(now_, record, FieldsOfRecord(synced_, synced));
  return record;
}

// Fields the window changed keep the window's value, the others take the
// sync's; the change stamp is later than both, so the record goes up next.
AddressRecord OutcomeTaker::Combined(const AddressRecord& edited, const AddressRecord& before, const AddressRecord& synced) {
  const CardFields window = FieldsOfRecord(now_, edited);
  const CardFields start = FieldsOfRecord(before_, before);
  CardFields combined = FieldsOfRecord(synced_, synced);
  for (int f = 0; f < kCardFieldCount; ++f)
    if (!SameField(window, start, static_cast<CardField>(f))) CopyField(combined, window, static_cast<CardField>(f));
  AddressRecord record = edited;
  StoreFields(now_, record, combined);
  record.ChangedMs = std::max(edited.ChangedMs, synced.ChangedMs);
  StampChange(now_, record);
  return record;
}

void OutcomeTaker::TakeRecord(const AddressRecord& record) {
  const AddressRecord* before = beforeByUid_.value(record.Uid);
  const AddressRecord* synced = syncedByUid_.value(record.Uid);
  const bool editedHere = before && record.ChangedMs != before->ChangedMs;
  if (!before || (editedHere && (!synced || synced->ChangedMs == before->ChangedMs))) {
    kept_ += before ? 1 : 0;
    records_.push_back(record);  // added in the window, or changed there only
  } else if (!editedHere) {
    if (synced) records_.push_back(FromSync(*synced));  // else the sync deleted it
  } else {
    ++kept_;
    records_.push_back(Combined(record, *before, *synced));
  }
}

int OutcomeTaker::Take() {
  const std::string current = now_.Records.empty() ? std::string() : now_.Current().Uid;
  const RecordsByUid nowByUid = IndexByUid(now_);
  if (sameLists_) {
    now_.Groups = synced_.Groups;
    now_.PhoneNames = synced_.PhoneNames;
  }
  for (const AddressRecord& record : now_.Records) TakeRecord(record);
  // Added by the sync, or deleted in the window while the sync brought a
  // change from the server: a change is never lost to a deletion.
  for (const AddressRecord& record : synced_.Records) {
    const AddressRecord* before = beforeByUid_.value(record.Uid);
    if (!nowByUid.contains(record.Uid) && (!before || before->ChangedMs != record.ChangedMs)) records_.push_back(FromSync(record));
  }
  now_.Records = std::move(records_);
  const auto shown = std::find_if(now_.Records.begin(), now_.Records.end(), [&](const AddressRecord& r) { return r.Uid == current; });
  now_.CurrentRecord = shown != now_.Records.end() ? static_cast<int>(shown - now_.Records.begin())
                                                   : std::clamp(now_.CurrentRecord, 0, std::max(0, now_.RecordCount() - 1));
  now_.Dirty = now_.Dirty || synced_.Dirty;
  return kept_;
}

}  // namespace

int TakeSyncOutcome(BookState& now, const BookState& before, const BookState& synced) {
  return OutcomeTaker(now, before, synced).Take();
}
