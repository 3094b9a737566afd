// The data file byte by byte, what loading makes of damaged, refused or
// missing files, and saves that never damage the file they replace.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/DocumentCodec.h"
#include "core/ErrorReport.h"
#include "platform/AnsiText.h"
#include "support/BookInvariants.h"
#include "support/FakePlatform.h"
#include "support/FolderAccess.h"
#include "support/TestBooks.h"

namespace {

using namespace std::string_literals;
using Slots = std::array<int16_t, 4>;
using Shown = std::vector<std::pair<MessageKind, QString>>;

// The file layout's two building blocks: a little-endian 16-bit integer,
// and a text after its 16-bit length.
std::string I(int value) { return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)}; }
std::string T(const std::string& text) { return I(static_cast<int>(text.size())) + text; }

std::string EveryByte() {
  std::string bytes;
  for (int code = 0; code < 256; ++code) bytes += static_cast<char>(code);
  return bytes;
}

const std::string kNewBookHeader = "QUILLBOX00"s + std::string(8, '\0') + I(0) + I(0) + I(1) + I(2) + I(3) +
                                   I(1) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) + I(0) + I(1) + I(0) + I(0) +
                                   I(4) + T("Home") + T("Work") + T("Fax") + T("Car Phone");
// The file of a new, unchanged book: 88 bytes.
const std::string kNewBookFile = kNewBookHeader + I(0) + I(0) + I(0);

// A record as the program writes it: "Ann", no group, the four phone names.
const std::string kAnn = T("Ann") + T("") + I(0) + T("") + I(-1) + T("") + T("") + T("") + T("") + T("") + I(0) + I(1) +
                         I(2) + I(3) + I(0) + T("");

// A book in which no two fields of a record hold the same value, so that
// a field written or read in another's place shows.
BookState DistinctBook() {
  BookState book = BookWithGroups({"Family", "Club", "Choir"});
  book.PhoneNames = {"Home", "Work", "Fax", "Car Phone", "Pager", "Cell"};
  book.DefaultPrintAs = kPrintAsBusiness;
  book.DefaultPhoneNames = {2, -1, 5, 0};
  book.Keys = {SortKey{kSortCompany, 1, 0, 1}, SortKey{kSortNotes, 0, 1, 0}, SortKey{kSortGroup, 0, 0, 1}};
  AddressRecord full{"Ann Lee", "Lee & Co", kPrintAsBusiness, "1 Main St\r\nTown", kMultipleGroups, "\0\2"s,
                     {"555-0100", "555-0101", "", "555-0103"}, {5, 4, -1, 2}, 3, AnsiToUtf8(EveryByte()), "", 0};
  AddressRecord empty{"", "", kPrintAsPerson, "", kNoGroup, "", {}, {-1, -1, -1, -1}, 0, "", "", 0};
  book.Records = {full, empty};
  book.CurrentRecord = 1;
  return book;
}

// DistinctBook() written out from the file layout, field by field.
const std::string kDistinctBookFile =
    "QUILLBOX00"s + std::string(8, '\0') + I(1) + I(2) + I(-1) + I(5) + I(0) +   // print-as, default phone names
    I(2) + I(1) + I(0) + I(1) + I(5) + I(0) + I(1) + I(0) + I(4) + I(0) + I(0) + I(1) +  // sort keys
    I(6) + T("Home") + T("Work") + T("Fax") + T("Car Phone") + T("Pager") + T("Cell") +
    I(3) + T("Family") + T("Club") + T("Choir") + I(1) + I(2) +                 // current record, record count
    T("Ann Lee") + T("Lee & Co") + I(1) + T("1 Main St\r\nTown") + I(-2) + T("\0\2"s) +
    T("555-0100") + T("555-0101") + T("") + T("555-0103") + I(5) + I(4) + I(-1) + I(2) + I(3) + T(EveryByte()) +
    T("") + T("") + I(0) + T("") + I(-1) + T("") + T("") + T("") + T("") + T("") + I(-1) + I(-1) + I(-1) + I(-1) +
    I(0) + T("");

auto ContentOf(const BookState& book) {
  return std::tie(book.Records, book.CurrentRecord, book.Groups, book.PhoneNames, book.DefaultPhoneNames,
                  book.DefaultPrintAs, book.Keys);
}

class DataFileTest : public testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  // A saved book of one record with notes of the given size, then changed.
  BookState SavedBook(size_t noteBytes) {
    BookState book = BookWithGroups({});
    AddRecord(book, "Ann").Notes = std::string(noteBytes, 'n');
    book.FileName = path;
    SaveDocument(book);
    old = ReadBytes(path);
    book.Records[0].Notes += "changed";
    book.Dirty = true;
    return book;
  }
  const Shown& Messages() const { return Fakes().messages.shown; }

  QTemporaryDir dir;
  const QString path = PathOf("book.dat");
  std::string old;
};

TEST_F(DataFileTest, SavedBytesAreTheFileLayoutAndLoadBackAsTheBook) {
  for (const auto& [book, file] :
       {std::pair{BookWithGroups({}), kNewBookFile}, std::pair{DistinctBook(), kDistinctBookFile}}) {
    BookState saved = book;
    saved.FileName = path;
    saved.Dirty = true;
    WriteBytes(path, std::string(6000, 'x'));  // an older, longer file leaves no tail behind
    SaveDocument(saved);
    EXPECT_EQ(ReadBytes(path), file);
    EXPECT_FALSE(saved.Dirty);

    WriteBytes(path, file + "bytes after the last record are ignored");
    BookState loaded = BookWithGroups({"Stale"});
    AddRecord(loaded, "Stale");
    loaded.Dirty = true;
    LoadDocument(loaded, path);
    EXPECT_EQ(ContentOf(loaded), ContentOf(book));
    EXPECT_EQ(std::pair(loaded.FileName, loaded.Dirty), std::pair(path, false));
  }
  EXPECT_TRUE(Messages().empty());
}

TEST(DecodeDocument, CountsAndLengthsTheFileCannotHoldAreRefused) {
  const size_t groupCount = kNewBookHeader.size();
  const auto patched = [](size_t offset, int value) { return std::string(kNewBookFile).replace(offset, 2, I(value)); };
  std::string groups;
  for (int i = 0; i < 250; ++i) groups += T("G");
  using enum DecodeResult;
  const std::pair<std::string, DecodeResult> cases[] = {
      {"", Damaged}, {"QUILL", Damaged}, {"NOTABOOK00", NotADataFile},
      {"QuillBox00" + kNewBookFile.substr(10), NotADataFile}, {kNewBookFile.substr(0, 87), Damaged},
      {patched(52, 0), Damaged},  // no phone names
      {patched(groupCount, -3), Damaged}, {patched(groupCount + 4, -1), Damaged}, {patched(groupCount + 4, 32767), Damaged},
      {kNewBookHeader + I(250) + groups + I(0) + I(0), Ok},
      {kNewBookHeader + I(251) + groups + T("G") + I(0) + I(0), Damaged},
      {kNewBookHeader + I(0) + I(0) + I(1) + kAnn, Ok},
      {kNewBookHeader + I(0) + I(0) + I(2) + kAnn, Damaged},  // records past the end of the file
      {kNewBookFile + std::string(40, '\0'), Ok},             // bytes after the last record, zeros as any
  };
  for (const auto& [file, expected] : cases) {
    BookState book;
    PlatformError error;
    EXPECT_EQ(DecodeDocument(file, book, error), expected) << testing::PrintToString(file.substr(0, 90));
  }
}

TEST(DecodeDocument, ValuesOutsideTheirListsAreMended) {
  BookState book = DistinctBook();
  book.CurrentRecord = 2;
  book.DefaultPrintAs = 2;
  book.DefaultPhoneNames = {6, -2, 5, 0};
  book.Keys[0] = {9, 5, 0, -1};  // a sort field out of range is kept: sorting passes over it
  book.Records[0].MultiGroups = "\2\3\2\0"s;  // 3 is past the last group, 2 is there twice
  book.Records[1] = {"", "", 2, "", 3, "\1", {}, {6, -2, 0, 5}, 4, "", "", 0};
  PlatformError error;
  BookState loaded;
  const auto roundTrip = [&] {
    ASSERT_EQ(DecodeDocument(EncodeDocument(book, error).value(), loaded, error), DecodeResult::Ok);
  };
  roundTrip();
  EXPECT_EQ(std::tuple(loaded.CurrentRecord, loaded.DefaultPrintAs, loaded.DefaultPhoneNames, loaded.Keys[0]),
            std::tuple(0, kPrintAsPerson, Slots{-1, -1, 5, 0}, SortKey{9, 1, 0, 1}));
  EXPECT_EQ(loaded.Records[0].MultiGroups, "\2\0"s);
  EXPECT_EQ(loaded.Records[1], (AddressRecord{"", "", kPrintAsPerson, "", kNoGroup, "", {}, {-1, -1, 0, 5}, 0, "", "", 0}));

  book.Records[0].MultiGroups = "\1\7";  // one valid group left
  roundTrip();
  EXPECT_EQ(std::pair(loaded.Records[0].Group, loaded.Records[0].MultiGroups), std::pair(int16_t{1}, ""s));
}

TEST(DecodeDocument, EveryCorpusFileIsRefusedOrGivesASoundBook) {
  for (const auto& [folder, least] : {std::pair{"/loader-corpus", 100}, std::pair{"/unicode-loader-corpus", 4}}) {
    const QDir corpus(QStringLiteral(VANTREO_TEST_DATA_DIR) + QLatin1String(folder));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GT(files.size(), least) << folder;
    for (const QString& name : files) {
      BookState book;
      PlatformError error;
      const bool decoded = DecodeDocument(ReadBytes(corpus.filePath(name)), book, error) == DecodeResult::Ok;
      EXPECT_EQ(decoded ? BrokenInvariant(book) : "", "") << name.toStdString();
    }
  }
}

// A file name holding "%1" or "%2" is named as it is, never taken for a place of the error's number or reason.
TEST_F(DataFileTest, AFailedSaveNamesAFileWithPercentSignsAsItIs) {
  BookState book = DistinctBook();
  book.FileName = QFileInfo(path).absolutePath() + "/missing %1 %2/book.dat";
  book.Dirty = true;
  ShowOutcome(SaveDocument(book));
  EXPECT_EQ(Messages(), (Shown{{MessageKind::ErrorReport, "Unable to save " + book.FileName +
                                                          " to disk. Error 2 : No such file or directory."}}));
}

TEST_F(DataFileTest, TextsUpTo65535BytesAreStoredAndLongerOnesRefused) {
  BookState book = DistinctBook();
  book.FileName = path;
  book.Records[1].Notes = std::string(65536, 'n');
  book.Dirty = true;
  ShowOutcome(SaveDocument(book));
  EXPECT_TRUE(!QFile::exists(path) && book.Dirty);
  EXPECT_EQ(Messages(), (Shown{{MessageKind::ErrorReport, "Unable to save " + path + " to disk. Error 7 : A text longer "
                                                          "than 65,535 characters cannot be stored."}}));
  book.Records[1].Notes.pop_back();
  SaveDocument(book);
  EXPECT_FALSE(book.Dirty);
  BookState loaded;
  LoadDocument(loaded, path);
  EXPECT_EQ(loaded.Records, book.Records);
}

TEST_F(DataFileTest, FullDiskIsReportedWithTheSystemsErrorAndTheOldFileKept) {
  const QByteArray folder = QFile::encodeName(dir.path());
  if (::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small file system needs the superuser";
  BookState book = SavedBook(10);
  book.Records[0].Notes = std::string(65535, 'n');
  ShowOutcome(SaveDocument(book));
  const std::string after = ReadBytes(path);
  const QStringList files = QDir(dir.path()).entryList(QDir::Files);
  ::umount2(folder.constData(), MNT_DETACH);
  EXPECT_EQ(std::tuple(after, files, book.Dirty), std::tuple(old, QStringList{"book.dat"}, true));
  EXPECT_EQ(Messages(), (Shown{{MessageKind::ErrorReport,
                                "Unable to save " + path + " to disk. Error 28 : No space left on device."}}));
}

TEST_F(DataFileTest, WritableFileInAFolderThatTakesNoNewFileIsSavedInPlace) {
  BookState book = SavedBook(300);
  const bool forbidden = ForbidNewFiles(dir.path(), true);
  if (forbidden) SaveDocument(book);
  const std::string longer = ReadBytes(path);
  book.Records[0].Notes.resize(300);  // shorter again: the file ends where the book does
  book.Dirty = true;
  if (forbidden) SaveDocument(book);
  ForbidNewFiles(dir.path(), false);
  if (!forbidden) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
  EXPECT_TRUE(Messages().empty() && !book.Dirty);
  EXPECT_EQ(std::pair(longer.size(), ReadBytes(path)), std::pair(old.size() + 7, old));
}

// A blank record in the first group, each phone slot named by the first
// phone name, is all zeros in the file: as the last record it is saved and
// opened again as any other, also by a save in place.
TEST_F(DataFileTest, ABookEndingInABlankRecordOfTheFirstGroupSavesAndOpens) {
  BookState book = BookWithGroups({"Family"});
  book.DefaultPhoneNames = {0, 0, 0, 0};
  AddRecord(book, "Ann");
  AddressRecord& blank = AddRecord(book, "");
  blank.Group = 0;
  blank.PhoneNameIndex = {0, 0, 0, 0};
  book.FileName = path;
  for (const bool inPlace : {false, true}) {
    book.Dirty = true;
    if (inPlace && !ForbidNewFiles(dir.path(), true)) GTEST_SKIP() << "the folder cannot be kept from taking new files here";
    ShowOutcome(SaveDocument(book));
    ForbidNewFiles(dir.path(), false);
    const std::string file = ReadBytes(path);
    EXPECT_EQ(file.substr(file.size() - 32), std::string(32, '\0'));
    BookState opened;
    ShowOutcome(LoadDocument(opened, path));
    EXPECT_EQ(opened.Records, book.Records) << (inPlace ? "in place" : "replaced");
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(DataFileTest, EachSaveKeepsTheFileItReplacesAsBackupWithItsPermissionsAlsoThroughALink) {
  BookState book = SavedBook(10);
  const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
  QFile::setPermissions(path, permissions);
  const QString link = PathOf("link.dat");
  ASSERT_TRUE(QFile::link(path, link));
  for (const QString& name : {path, link}) {
    const std::string replaced = ReadBytes(path);
    book.FileName = name;
    SaveDocument(book);
    EXPECT_EQ(ReadBytes(path + ".bak"), replaced);
    EXPECT_EQ(std::pair(QFile::permissions(path + ".bak"), QFile::permissions(path)), std::pair(permissions, permissions));
    book.Records[0].Notes += "again";
  }
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadBytes(path).size(), old.size() + 12);
}

// A book saved for the first time gets the permissions the user's umask
// gives new files, as any program's new files do.
TEST_F(DataFileTest, ANewBookFileTakesItsPermissionsFromTheUmask) {
  for (const auto& [mask, mode] : {std::pair<mode_t, mode_t>{022, 0644}, {077, 0600}, {027, 0640}}) {
    BookState book = PeopleBook(3);
    book.FileName = dir.filePath(QStringLiteral("new-%1.dat").arg(mask, 3, 8, QLatin1Char('0')));
    const mode_t previous = ::umask(mask);
    SaveDocument(book);
    ::umask(previous);
    struct stat saved {};
    ASSERT_EQ(::stat(QFile::encodeName(book.FileName).constData(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, mode) << "umask " << std::oct << mask;
  }
}

// What is no data file is refused and leaves the book as it was; a damaged
// file gives an untitled book, a missing one a new book under its name.
TEST_F(DataFileTest, LoadingRefusesWhatIsNoDataFileAndNeverReplacesIt) {
  const QString pipe = PathOf("pipe.dat"), mine = PathOf("mine.dat"), cut = PathOf("cut.dat");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  WriteBytes(path, "QuillBox00" + kNewBookFile.substr(10));
  WriteBytes(cut, kDistinctBookFile.substr(0, kDistinctBookFile.size() - 1));
  WriteBytes(PathOf("plain"), "a file, not a folder");
  const auto notice = [](const QString& text) { return Shown{{MessageKind::Notice, text}}; };
  const std::tuple<QString, Shown, QString> cases[] = {
      {pipe, notice(pipe + " is a named pipe, not a data file."), mine},
      {"/dev/zero", notice("/dev/zero is a device, not a data file."), mine},
      {dir.path(), notice(dir.path() + " is a folder, not a data file."), mine},
      {path, notice(path + " is corrupt or is not a valid data file."), mine},
      {cut, {{MessageKind::ErrorReport, "Unable to load '" + cut + "' from disk. Error 62 : Input past end of file."}},
       kUntitled},
      {PathOf("absent.dat"), {}, PathOf("absent.dat")},
      {PathOf("plain/absent.dat"), {}, PathOf("plain/absent.dat")},
  };
  BookState renewed = DistinctBook();
  NewDocument(renewed);
  for (const auto& [file, messages, fileName] : cases) {
    Fakes().messages.shown.clear();
    BookState book = DistinctBook();
    book.FileName = mine;
    book.Dirty = true;
    ShowOutcome(LoadDocument(book, file));
    EXPECT_EQ(Messages(), messages);
    const bool kept = fileName == mine;
    EXPECT_EQ(ContentOf(book), ContentOf(kept ? DistinctBook() : renewed));
    EXPECT_EQ(std::pair(book.FileName, book.Dirty), std::pair(fileName, kept));
  }
  EXPECT_EQ(Fakes().busy.depth, 0);
  BookState book = BookWithGroups({});
  book.FileName = pipe;
  ShowOutcome(SaveDocument(book));
  EXPECT_EQ(Messages().back().second, "Unable to save " + pipe + " to disk. Error 95 : Operation not supported.");
  EXPECT_FALSE(QFileInfo(pipe).isFile());
}

TEST_F(DataFileTest, FileChangedOnDiskByItsContentAloneButNotWhenGone) {
  BookState book = SavedBook(10);
  EXPECT_FALSE(FileChangedOnDisk(book));
  // Another program writes as many bytes and sets the time back.
  const QByteArray name = QFile::encodeName(path);
  struct stat before {};
  ::stat(name.constData(), &before);
  WriteBytes(path, old.substr(0, old.size() - 1) + 'x');
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ::utimensat(AT_FDCWD, name.constData(), times, 0);
  EXPECT_TRUE(FileChangedOnDisk(book));
  QFile::remove(path);
  EXPECT_FALSE(FileChangedOnDisk(book));
}

}  // namespace
