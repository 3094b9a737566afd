#include "core/DocumentCodec.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/GroupMembership.h"

namespace {

constexpr size_t kMagicSize = 10;
constexpr size_t kMinRecordSize = 32;  // an all-empty record
constexpr size_t kMinStringSize = 2;   // an empty counted string
constexpr int kEndOfInputError = 62;
constexpr int kDamagedFileError = 63;
constexpr int kTooLargeError = 7;

// Reads the little-endian fields of a data file through a buffer of its
// own, so a file is never held whole in memory; any read past the end (or a
// failing read) sets the failed state, after which every read gives 0 or "".
class ByteReader {
 public:
  explicit ByteReader(ByteSource& source) : source_(source), unread_(static_cast<uint64_t>(source.Size())) {}

  int16_t Int() {
    unsigned char bytes[2];
    if (!Take(reinterpret_cast<char*>(bytes), 2)) return 0;
    return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
  }

  std::string Text() {
    const auto length = static_cast<uint16_t>(Int());
    std::string text(length, '\0');
    if (!Take(text.data(), length)) return {};
    return text;
  }

  bool Raw(char* out, size_t count) { return Take(out, count); }

  // False when fewer than count * itemSize bytes remain: a count that the
  // rest of the file cannot hold is found before anything is allocated.
  bool CanHold(int count, size_t itemSize) const {
    return !failed_ && static_cast<uint64_t>(count) * itemSize <= unread_;
  }

  bool Failed() const { return failed_; }

  // Reads whatever follows the last record, to learn how the file ends.
  void SkipRest() {
    char discard[4096];
    while (!failed_ && unread_ > 0) Take(discard, std::min<uint64_t>(unread_, sizeof discard));
  }

  // How many zero bytes the input read so far ends with.
  uint64_t TrailingZeros() const { return zeroRun_; }

  // Why reading failed: the source's own error, or the end of the input.
  DecodeResult Failure(PlatformError& error) const {
    error = sourceError_.Number != 0 ? sourceError_
                                     : PlatformError{kEndOfInputError, QStringLiteral("Input past end of file")};
    return DecodeResult::Damaged;
  }

 private:
  bool Take(char* out, size_t count) {
    if (failed_ || count > unread_) failed_ = true;
    while (!failed_ && count > 0) {
      if (next_ == buffer_.size() && !Refill()) break;
      const size_t part = std::min(count, buffer_.size() - next_);
      std::memcpy(out, buffer_.data() + next_, part);
      CountZeros(out, part);
      out += part;
      count -= part;
      next_ += part;
      unread_ -= part;
    }
    return !failed_;
  }

  void CountZeros(const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) zeroRun_ = bytes[i] == 0 ? zeroRun_ + 1 : 0;
  }

  bool Refill() {
    buffer_.resize(kChunkSize);
    const qint64 got = source_.Read(buffer_.data(), static_cast<qint64>(kChunkSize), sourceError_);
    buffer_.resize(got > 0 ? static_cast<size_t>(got) : 0);
    next_ = 0;
    failed_ = got <= 0;
    return !failed_;
  }

  static constexpr size_t kChunkSize = 64 * 1024;
  ByteSource& source_;
  uint64_t unread_;  // by the source's size; a source that ends sooner fails the read
  std::string buffer_;
  size_t next_ = 0;
  bool failed_ = false;
  uint64_t zeroRun_ = 0;
  PlatformError sourceError_;
};

class ByteWriter {
 public:
  void Int(int value) {
    bytes_.push_back(static_cast<char>(value & 0xFF));
    bytes_.push_back(static_cast<char>((value >> 8) & 0xFF));
  }

  void Text(const std::string& text) {
    if (text.size() > std::numeric_limits<uint16_t>::max()) tooLong_ = true;
    Int(static_cast<int>(text.size()));
    bytes_ += text;
  }

  void Raw(const char* data, size_t size) { bytes_.append(data, size); }
  bool TooLong() const { return tooLong_; }
  std::string& Bytes() { return bytes_; }

 private:
  std::string bytes_;
  bool tooLong_ = false;
};

void ReadSortKeys(ByteReader& in, SortKeys& keys) {
  for (SortKey& key : keys) {
    key.SortField = in.Int();
    key.ByLastName = in.Int();
    key.CaseSensitive = in.Int();
    key.Descending = in.Int();
  }
}

bool ReadList(ByteReader& in, std::vector<std::string>& list) {
  const int count = in.Int();
  if (count < 0 || !in.CanHold(count, kMinStringSize)) return false;
  list.assign(static_cast<size_t>(count), {});
  for (std::string& entry : list) entry = in.Text();
  return !in.Failed();
}

void ReadRecord(ByteReader& in, AddressRecord& record) {
  record.Name = in.Text();
  record.Company = in.Text();
  record.PrintAs = in.Int();
  record.Address = in.Text();
  record.Group = in.Int();
  record.MultiGroups = in.Text();
  for (std::string& phone : record.Phones) phone = in.Text();
  for (int16_t& index : record.PhoneNameIndex) index = in.Int();
  record.WhichPhone = in.Int();
  record.Notes = in.Text();
}

// Values a damaged file may hold that the program never writes are mended so
// that the rest of the program can rely on the model's invariants.
int16_t ValidPhoneName(int16_t index, const BookState& book) {
  return index >= 0 && index < book.PhoneNameCount() ? index : int16_t{-1};
}

int16_t ValidChoice(int16_t value, int16_t count) {
  return value >= 0 && value < count ? value : int16_t{0};
}

void MendGroups(AddressRecord& record, const BookState& book) {
  if (record.Group != kMultipleGroups) {
    record.MultiGroups.clear();
    if (record.Group < kNoGroup || record.Group >= book.GroupCount()) record.Group = kNoGroup;
    return;
  }
  // Keep each valid group once, in stored order; one left becomes a single group.
  std::string valid;
  for (const char code : record.MultiGroups) {
    const int g = static_cast<unsigned char>(code);
    if (g < book.GroupCount() && valid.find(code) == std::string::npos) valid += code;
  }
  StoreGroupSet(record, valid);
}

void MendRecord(AddressRecord& record, const BookState& book) {
  record.PrintAs = record.PrintAs == kPrintAsBusiness ? kPrintAsBusiness : kPrintAsPerson;
  MendGroups(record, book);
  for (int16_t& index : record.PhoneNameIndex) index = ValidPhoneName(index, book);
  record.WhichPhone = ValidChoice(record.WhichPhone, 4);
}

void MendDocument(BookState& book) {
  book.DefaultPrintAs = book.DefaultPrintAs == kPrintAsBusiness ? kPrintAsBusiness : kPrintAsPerson;
  for (int16_t& index : book.DefaultPhoneNames) index = ValidPhoneName(index, book);
  // A sort field out of range stays as stored: sorting ignores that priority
  // and the sort dialog shows no field for it.
  for (SortKey& key : book.Keys) {
    key.ByLastName = key.ByLastName != 0;
    key.CaseSensitive = key.CaseSensitive != 0;
    key.Descending = key.Descending != 0;
  }
  for (AddressRecord& record : book.Records) MendRecord(record, book);
  if (book.CurrentRecord < 0 || book.CurrentRecord >= book.RecordCount()) book.CurrentRecord = 0;
}

DecodeResult Damaged(PlatformError& error, const char* what) {
  error = {kDamagedFileError, QString::fromLatin1(what)};
  return DecodeResult::Damaged;
}

}  // namespace

DecodeResult DecodeDocument(ByteSource& source, BookState& book, PlatformError& error) {
  ByteReader in(source);
  char magic[kMagicSize];
  if (!in.Raw(magic, kMagicSize)) return in.Failure(error);
  if (std::memcmp(magic, kDataFileMagic, kMagicSize) != 0) return DecodeResult::NotADataFile;
  char reserved[8];
  in.Raw(reserved, sizeof reserved);
  book.DefaultPrintAs = in.Int();
  for (int16_t& index : book.DefaultPhoneNames) index = in.Int();
  ReadSortKeys(in, book.Keys);
  const bool listsRead = ReadList(in, book.PhoneNames) && ReadList(in, book.Groups);
  book.CurrentRecord = in.Int();
  const int recordCount = in.Int();
  if (in.Failed()) return in.Failure(error);
  // Counts the program never writes: the file cannot be trusted.
  if (!listsRead || recordCount < 0) return Damaged(error, "Invalid list count in file");
  if (book.PhoneNames.empty()) return Damaged(error, "No phone names in file");
  if (book.GroupCount() > kMaxGroups) return Damaged(error, "Too many groups in file");
  if (!in.CanHold(recordCount, kMinRecordSize)) return in.Failure(error);
  book.Records.assign(static_cast<size_t>(recordCount), {});
  for (AddressRecord& record : book.Records) ReadRecord(in, record);
  in.SkipRest();
  if (in.Failed()) return in.Failure(error);
  // No save ends a file in a whole record's worth of zeros: that is space a
  // save in place reserved and never wrote, read as blank records or left over.
  if (in.TrailingZeros() >= kMinRecordSize) return Damaged(error, "Unwritten space at the end of file");
  MendDocument(book);
  return DecodeResult::Ok;
}

std::optional<std::string> EncodeDocument(const BookState& book, PlatformError& error) {
  if (book.RecordCount() > kMaxRecords) {
    error = {kTooLargeError, QStringLiteral("A data file can hold at most 32,767 records")};
    return std::nullopt;
  }
  if (book.PhoneNameCount() > kMaxPhoneNames) {
    error = {kTooLargeError, QStringLiteral("A data file can hold at most 32,767 phone names")};
    return std::nullopt;
  }
  ByteWriter out;
  out.Raw(kDataFileMagic, kMagicSize);
  for (int i = 0; i < 4; ++i) out.Int(0);
  out.Int(book.DefaultPrintAs);
  for (const int16_t index : book.DefaultPhoneNames) out.Int(index);
  for (const SortKey& key : book.Keys) {
    out.Int(key.SortField);
    out.Int(key.ByLastName);
    out.Int(key.CaseSensitive);
    out.Int(key.Descending);
  }
  for (const GroupList* list : {&book.PhoneNames, &book.Groups}) {
    out.Int(static_cast<int>(list->size()));
    for (const std::string& name : *list) out.Text(name);
  }
  out.Int(book.CurrentRecord);
  out.Int(book.RecordCount());
  for (const AddressRecord& record : book.Records) {
    out.Text(record.Name);
    out.Text(record.Company);
    out.Int(record.PrintAs);
    out.Text(record.Address);
    out.Int(record.Group);
    out.Text(record.MultiGroups);
    for (const std::string& phone : record.Phones) out.Text(phone);
    for (const int16_t index : record.PhoneNameIndex) out.Int(index);
    out.Int(record.WhichPhone);
    out.Text(record.Notes);
  }
  if (out.TooLong()) {
    error = {kTooLargeError, QStringLiteral("A text longer than 65,535 characters cannot be stored")};
    return std::nullopt;
  }
  return std::move(out.Bytes());
}

DecodeResult DecodeDocument(const std::string& bytes, BookState& book, PlatformError& error) {
  BytesInMemory source(bytes);
  return DecodeDocument(source, book, error);
}
