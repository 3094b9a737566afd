// A sync's outcome taken into a book the window changed while the sync ran.
#include <gtest/gtest.h>

#include "core/Document.h"
#include "sync/EditsDuringSync.h"

namespace {

BookState BookOf(std::initializer_list<const char*> names) {
  BookState book;
  NewDocument(book);
  book.Edition = BookEdition::Unicode;
  for (const char* name : names) {
    book.Records.emplace_back();
    InitNewRecord(book, book.RecordCount() - 1);
    book.Records.back().Name = name;
    book.Records.back().Uid = name;
  }
  return book;
}

AddressRecord& Record(BookState& book, const std::string& name) {
  return *std::find_if(book.Records.begin(), book.Records.end(), [&](const AddressRecord& r) { return r.Name == name; });
}

void Change(BookState& book, const std::string& name, const std::function<void(AddressRecord&)>& change) {
  change(Record(book, name));
  StampChange(book, Record(book, name));
}

void PutInGroup(BookState& book, const std::string& name, const std::string& group) {
  const auto found = std::find(book.Groups.begin(), book.Groups.end(), group);
  const int index = found != book.Groups.end() ? static_cast<int>(found - book.Groups.begin()) : AddGroup(book, group);
  Change(book, name, [index](AddressRecord& r) { r.Group = static_cast<int16_t>(index); });
}

std::string GroupOf(const BookState& book, const AddressRecord& record) {
  return record.Group >= 0 ? book.Groups.at(static_cast<size_t>(record.Group)) : std::string();
}

// Whether the window gave the book a group of its own while the sync ran,
// so that the sync's group indices no longer fit the book.
class SyncOutcomeTest : public testing::TestWithParam<bool> {};

TEST_P(SyncOutcomeTest, EditsMadeDuringTheSyncWinAndEverythingElseTakesTheSyncsOutcome) {
  const BookState before = BookOf({"ada", "bob", "cy", "dee", "eve", "fay"});
  BookState synced = before;
  Change(synced, "ada", [](AddressRecord& r) { r.Company = "Engines"; });
  PutInGroup(synced, "ada", "Friends");
  Change(synced, "fay", [](AddressRecord& r) { r.Notes = "from the server"; });
  std::erase_if(synced.Records, [](const AddressRecord& r) { return r.Name == "bob" || r.Name == "eve"; });
  synced.Records.push_back(BookOf({"new"}).Records[0]);
  PutInGroup(synced, "new", "Friends");
  synced.Dirty = true;

  BookState now = before;
  if (GetParam()) PutInGroup(now, "cy", "Work");
  Change(now, "ada", [](AddressRecord& r) { r.Phones[0] = "555"; });
  Change(now, "bob", [](AddressRecord& r) { r.Notes = "kept"; });
  std::erase_if(now.Records, [](const AddressRecord& r) { return r.Name == "dee" || r.Name == "fay"; });
  now.Records.push_back(BookOf({"typed"}).Records[0]);
  now.CurrentRecord = 1;  // bob

  EXPECT_EQ(TakeSyncOutcome(now, before, synced), GetParam() ? 3 : 2);  // cy in its new group is an edit too

  std::vector<std::string> names;
  for (const AddressRecord& r : now.Records) names.push_back(r.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"ada", "bob", "cy", "typed", "fay", "new"}));  // fay changed on the server: back
  const AddressRecord& ada = Record(now, "ada");
  EXPECT_EQ(ada.Phones[0], "555");
  EXPECT_EQ(ada.Company, "Engines");
  EXPECT_EQ(GroupOf(now, ada), "Friends");
  EXPECT_GT(ada.ChangedMs, Record(synced, "ada").ChangedMs);  // goes up at the next sync
  EXPECT_EQ(Record(now, "bob").Notes, "kept");
  EXPECT_EQ(GroupOf(now, Record(now, "new")), "Friends");
  EXPECT_EQ(Record(now, "new").ChangedMs, Record(synced, "new").ChangedMs);
  EXPECT_EQ(GroupOf(now, Record(now, "cy")), GetParam() ? "Work" : "");
  EXPECT_EQ(now.Current().Name, "bob");
  EXPECT_TRUE(now.Dirty);
}

INSTANTIATE_TEST_SUITE_P(Groups, SyncOutcomeTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "WindowAddedAGroup" : "GroupsUntouched"; });

}  // namespace
