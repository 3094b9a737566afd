#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include "core/AddressRecord.h"
#include "core/SortKey.h"
#include "platform/FileStamp.h"

using GroupList = std::vector<std::string>;
using PhoneNameList = std::vector<std::string>;

inline constexpr int kMaxGroups = 250;
inline constexpr int kMaxRecords = 32767;     // the largest count a data file can hold
inline constexpr int kMaxPhoneNames = 32767;  // likewise
inline constexpr const char* kUntitled = "Untitled";

// How the data file stores the book's text: the old edition holds one
// windows-1252 byte per character, the Unicode edition UTF-8 and, per
// record, a stable identifier and the time of its last change.
enum class BookEdition { SingleByte, Unicode };

// The one address book of the program: a direct image of the data file.
// The counts of the lists are the sizes of the vectors.
struct BookState {
  std::vector<AddressRecord> Records;
  int CurrentRecord = 0;  // 0 when there are no records
  GroupList Groups;
  PhoneNameList PhoneNames;
  std::array<int16_t, 4> DefaultPhoneNames{0, 1, 2, 3};
  int16_t DefaultPrintAs = 0;
  SortKeys Keys{};
  QString FileName = kUntitled;  // full path of the data file
  bool Dirty = false;
  FileStamp OnDisk;  // the data file as this document was last loaded from or saved to it
  BookEdition Edition = BookEdition::SingleByte;
  bool KeepSingleByte = false;  // the user chose to keep the old edition for this book

  bool IsUnicode() const { return Edition == BookEdition::Unicode; }

  int RecordCount() const { return static_cast<int>(Records.size()); }
  int GroupCount() const { return static_cast<int>(Groups.size()); }
  int PhoneNameCount() const { return static_cast<int>(PhoneNames.size()); }
  bool IsUntitled() const { return FileName == QLatin1String(kUntitled); }
  AddressRecord& Current() { return Records.at(static_cast<size_t>(CurrentRecord)); }
  const AddressRecord& Current() const { return Records.at(static_cast<size_t>(CurrentRecord)); }
};

// The document the program works on, from start-up to exit.
BookState& Book();
