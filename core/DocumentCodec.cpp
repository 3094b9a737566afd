#include "core/DocumentCodec.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/Document.h"
#include "core/GroupMembership.h"
#include "core/Utf8Validity.h"
#include "platform/AnsiText.h"

#include <QUuid>

namespace {

constexpr size_t kMagicSize = 10;
constexpr int kUuidSize = 16;
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

  int16_t Int() { return static_cast<int16_t>(Unsigned(2)); }
  int32_t Int32() { return static_cast<int32_t>(Unsigned(4)); }
  int64_t Int64() { return static_cast<int64_t>(Unsigned(8)); }

  // A counted string: its length in lengthSize bytes, then its bytes.
  std::string Counted(size_t lengthSize) {
    const uint64_t length = Unsigned(lengthSize);
    if (length > unread_) failed_ = true;  // found before anything is allocated
    if (failed_) return {};
    std::string text(static_cast<size_t>(length), '\0');
    if (!Take(text.data(), text.size())) return {};
    return text;
  }

  bool Raw(char* out, size_t count) { return Take(out, count); }

  // False when fewer than count * itemSize bytes remain: a count that the
  // rest of the file cannot hold is found before anything is allocated.
  bool CanHold(int count, size_t itemSize) const {
    return !failed_ && static_cast<uint64_t>(count) * itemSize <= unread_;
  }

  bool Failed() const { return failed_; }
  void Fail() { failed_ = true; }

  // Why reading failed: the source's own error, or the end of the input.
  DecodeResult Failure(PlatformError& error) const {
    error = sourceError_.Number != 0 ? sourceError_
                                     : PlatformError{kEndOfInputError, QStringLiteral("Input past end of file")};
    return DecodeResult::Damaged;
  }

 private:
  uint64_t Unsigned(size_t size) {
    unsigned char bytes[8] = {};
    if (!Take(reinterpret_cast<char*>(bytes), size)) return 0;
    uint64_t value = 0;
    for (size_t i = size; i-- > 0;) value = (value << 8) | bytes[i];
    return value;
  }

  bool Take(char* out, size_t count) {
    if (failed_ || count > unread_) failed_ = true;
    while (!failed_ && count > 0) {
      if (next_ == buffer_.size() && !Refill()) break;
      const size_t part = std::min(count, buffer_.size() - next_);
      std::memcpy(out, buffer_.data() + next_, part);
      out += part;
      count -= part;
      next_ += part;
      unread_ -= part;
    }
    return !failed_;
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
  PlatformError sourceError_;
};

// The fields of one edition: the old edition counts with 16 bits and holds
// windows-1252 text; the Unicode edition counts with 32 bits, holds UTF-8
// text, and starts each record with its identifier and last change time.
class FieldReader {
 public:
  FieldReader(ByteReader& in, BookEdition edition) : in_(in), unicode_(edition == BookEdition::Unicode) {}

  ByteReader& Bytes() { return in_; }
  int16_t Int() { return in_.Int(); }
  int Count() { return unicode_ ? in_.Int32() : in_.Int(); }
  std::string Raw() { return in_.Counted(unicode_ ? 4 : 2); }

  std::string Text() {
    if (!unicode_) return AnsiToUtf8(in_.Counted(2));
    std::string text = in_.Counted(4);
    if (!IsValidUtf8(text)) {
      badText_ = true;
      in_.Fail();
    }
    return text;
  }

  void Stamp(AddressRecord& record) {
    if (!unicode_) return;
    char id[kUuidSize];
    in_.Raw(id, kUuidSize);
    const QUuid uuid = QUuid::fromRfc4122(QByteArrayView(id, kUuidSize));
    if (!uuid.isNull()) record.Uid = uuid.toString(QUuid::WithoutBraces).toStdString();
    record.ChangedMs = in_.Int64();
  }

  bool BadText() const { return badText_; }

 private:
  ByteReader& in_;
  bool unicode_;
  bool badText_ = false;
};

class FieldWriter {
 public:
  explicit FieldWriter(BookEdition edition) : unicode_(edition == BookEdition::Unicode) {}

  void Int(int value) { Unsigned(static_cast<uint64_t>(value), 2); }
  void Count(int value) { Unsigned(static_cast<uint64_t>(value), unicode_ ? 4 : 2); }

  void Raw(const std::string& bytes) {
    if (!unicode_ && bytes.size() > std::numeric_limits<uint16_t>::max()) tooLong_ = true;
    Unsigned(bytes.size(), unicode_ ? 4 : 2);
    bytes_ += bytes;
  }

  void Text(const std::string& text) {
    if (unicode_ || IsAscii(text)) return Raw(text);  // ASCII is the same in both editions
    std::string bytes;
    if (!Utf8ToAnsi(text, bytes)) unstorable_ = true;
    Raw(bytes);
  }

  void Stamp(const AddressRecord& record) {
    if (!unicode_) return;
    const QByteArray id = QUuid::fromString(QString::fromStdString(record.Uid)).toRfc4122();
    bytes_.append(id.constData(), kUuidSize);
    Unsigned(static_cast<uint64_t>(record.ChangedMs), 8);
  }

  void Magic(const char* magic) { bytes_.append(magic, kMagicSize); }
  bool TooLong() const { return tooLong_; }
  bool Unstorable() const { return unstorable_; }
  std::string& Bytes() { return bytes_; }

 private:
  void Unsigned(uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) bytes_.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }

  bool unicode_;
  std::string bytes_;
  bool tooLong_ = false;
  bool unstorable_ = false;
};

void ReadSortKeys(FieldReader& in, SortKeys& keys) {
  for (SortKey& key : keys) {
    key.SortField = in.Int();
    key.ByLastName = in.Int();
    key.CaseSensitive = in.Int();
    key.Descending = in.Int();
  }
}

bool ReadList(FieldReader& in, std::vector<std::string>& list) {
  const int count = in.Count();
  if (count < 0 || count > kMaxPhoneNames || !in.Bytes().CanHold(count, kMinStringSize)) return false;
  list.assign(static_cast<size_t>(count), {});
  for (std::string& entry : list) entry = in.Text();
  return !in.Bytes().Failed();
}

void ReadRecord(FieldReader& in, AddressRecord& record) {
  in.Stamp(record);
  record.Name = in.Text();
  record.Company = in.Text();
  record.PrintAs = in.Int();
  record.Address = in.Text();
  record.Group = in.Int();
  record.MultiGroups = in.Raw();
  for (std::string& phone : record.Phones) phone = in.Text();
  for (int16_t& index : record.PhoneNameIndex) index = in.Int();
  record.WhichPhone = in.Int();
  record.Notes = in.Text();
}

void WriteRecord(FieldWriter& out, const AddressRecord& record) {
  out.Stamp(record);
  out.Text(record.Name);
  out.Text(record.Company);
  out.Int(record.PrintAs);
  out.Text(record.Address);
  out.Int(record.Group);
  out.Raw(record.MultiGroups);
  for (const std::string& phone : record.Phones) out.Text(phone);
  for (const int16_t index : record.PhoneNameIndex) out.Int(index);
  out.Int(record.WhichPhone);
  out.Text(record.Notes);
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
  for (AddressRecord& record : book.Records) {
    MendRecord(record, book);
    if (book.IsUnicode() && record.Uid.empty()) StampChange(book, record);
  }
  if (book.CurrentRecord < 0 || book.CurrentRecord >= book.RecordCount()) book.CurrentRecord = 0;
}

DecodeResult Damaged(PlatformError& error, const char* what) {
  error = {kDamagedFileError, QString::fromLatin1(what)};
  return DecodeResult::Damaged;
}

}  // namespace

// The edition whose magic the file starts with, or nothing.
std::optional<BookEdition> EditionOf(const char* magic) {
  if (std::memcmp(magic, kDataFileMagic, kMagicSize) == 0) return BookEdition::SingleByte;
  if (std::memcmp(magic, kUnicodeDataFileMagic, kMagicSize) == 0) return BookEdition::Unicode;
  return std::nullopt;
}

DecodeResult DecodeDocument(ByteSource& source, BookState& book, PlatformError& error) {
  ByteReader bytes(source);
  char magic[kMagicSize];
  if (!bytes.Raw(magic, kMagicSize)) return bytes.Failure(error);
  const std::optional<BookEdition> edition = EditionOf(magic);
  if (!edition) return DecodeResult::NotADataFile;
  book.Edition = *edition;
  FieldReader in(bytes, *edition);
  char reserved[8];
  bytes.Raw(reserved, sizeof reserved);
  book.DefaultPrintAs = in.Int();
  for (int16_t& index : book.DefaultPhoneNames) index = in.Int();
  ReadSortKeys(in, book.Keys);
  const bool listsRead = ReadList(in, book.PhoneNames) && ReadList(in, book.Groups);
  book.CurrentRecord = in.Count();
  const int recordCount = in.Count();
  if (in.BadText()) return Damaged(error, "Text in file is not UTF-8");
  if (bytes.Failed()) return bytes.Failure(error);
  // Counts the program never writes: the file cannot be trusted.
  if (!listsRead || recordCount < 0 || recordCount > kMaxRecords) return Damaged(error, "Invalid list count in file");
  if (book.PhoneNames.empty()) return Damaged(error, "No phone names in file");
  if (book.GroupCount() > kMaxGroups) return Damaged(error, "Too many groups in file");
  if (!bytes.CanHold(recordCount, kMinRecordSize)) return bytes.Failure(error);
  book.Records.assign(static_cast<size_t>(recordCount), {});
  for (AddressRecord& record : book.Records) ReadRecord(in, record);
  if (in.BadText()) return Damaged(error, "Text in file is not UTF-8");
  if (bytes.Failed()) return bytes.Failure(error);
  MendDocument(book);
  return DecodeResult::Ok;
}

namespace {

// At least the size of the file a book makes, so that its bytes are
// allocated once: each text as UTF-8 (never shorter than its single-byte
// form) with its count, and every record's numbers and stamp.
size_t EncodedSizeAtMost(const BookState& book) {
  constexpr size_t kHeader = 256, kPerText = 4, kPerRecord = 128;
  size_t size = kHeader;
  for (const GroupList* list : {&book.PhoneNames, &book.Groups})
    for (const std::string& name : *list) size += kPerText + name.size();
  for (const AddressRecord& record : book.Records) {
    size += kPerRecord + record.Name.size() + record.Company.size() + record.Address.size() + record.MultiGroups.size() +
            record.Notes.size();
    for (const std::string& phone : record.Phones) size += phone.size();
  }
  return size;
}

}  // namespace

std::optional<std::string> EncodeDocument(const BookState& book, PlatformError& error) {
  if (book.RecordCount() > kMaxRecords) {
    error = {kTooLargeError, QStringLiteral("A data file can hold at most 32,767 records")};
    return std::nullopt;
  }
  if (book.PhoneNameCount() > kMaxPhoneNames) {
    error = {kTooLargeError, QStringLiteral("A data file can hold at most 32,767 phone names")};
    return std::nullopt;
  }
  FieldWriter out(book.Edition);
  out.Bytes().reserve(EncodedSizeAtMost(book));
  out.Magic(book.IsUnicode() ? kUnicodeDataFileMagic : kDataFileMagic);
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
    out.Count(static_cast<int>(list->size()));
    for (const std::string& name : *list) out.Text(name);
  }
  out.Count(book.CurrentRecord);
  out.Count(book.RecordCount());
  for (const AddressRecord& record : book.Records) WriteRecord(out, record);
  if (out.TooLong()) {
    error = {kTooLargeError, QStringLiteral("A text longer than 65,535 characters cannot be stored")};
    return std::nullopt;
  }
  if (out.Unstorable()) {
    error = {kTooLargeError, QStringLiteral("The book holds characters that the old data file format cannot store")};
    return std::nullopt;
  }
  return std::move(out.Bytes());
}

DecodeResult DecodeDocument(const std::string& bytes, BookState& book, PlatformError& error) {
  BytesInMemory source(bytes);
  return DecodeDocument(source, book, error);
}
