#include "bench/GeneratedBook.h"

#include <random>

#include "core/Document.h"
#include "core/GroupMembership.h"

namespace {

const char* const kFirstNames[] = {"James", "Mary", "John", "Patricia", "Robert", "Jennifer", "Michael",
                                   "Linda", "William", "Elizabeth", "David", "Barbara", "Richard", "Susan",
                                   "Joseph", "Jessica", "Thomas", "Sarah", "Charles", "Karen", "Renée",
                                   "José", "Zoë", "Anne", "Zed"};
const char* const kLastNames[] = {"Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller",
                                  "Davis", "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez",
                                  "Wilson", "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin",
                                  "Lee", "Perez", "Thompson", "White", "Harris", "O'Neil", "van Dyke"};
const char* const kCompanies[] = {"Acme Corp.", "Globex", "Initech", "Umbrella Ltd.", "Stark Industries",
                                  "Wayne Enterprises", "Hooli", "Vandelay Industries", "", "", ""};
const char* const kStreets[] = {"Main St", "Oak Ave", "Pine Rd", "Maple Dr", "Cedar Ln", "Elm St"};
const char* const kCities[] = {"Springfield, IL 62701", "Austin, TX 73301", "Portland, OR 97201",
                               "Boston, MA 02101", "Denver, CO 80201"};
const char* const kGroups[] = {"Family", "Friends", "Work", "Club", "Doctors", "Suppliers", "Customers",
                               "School", "Neighbours", "Choir"};

template <class T, size_t N>
const T& Pick(const T (&items)[N], std::mt19937& random) {
  return items[std::uniform_int_distribution<size_t>(0, N - 1)(random)];
}

std::string PhoneNumber(std::mt19937& random) {
  std::uniform_int_distribution<int> digits(0, 9999);
  return "(555) " + std::to_string(100 + digits(random) % 900) + "-" + std::to_string(1000 + digits(random) % 9000);
}

void FillRecord(AddressRecord& record, std::mt19937& random) {
  record.Name = std::string(Pick(kFirstNames, random)) + " " + Pick(kLastNames, random);
  record.Company = Pick(kCompanies, random);
  record.PrintAs = record.Company.empty() ? kPrintAsPerson : static_cast<int16_t>(random() % 2);
  record.Address = std::to_string(1 + random() % 9999) + " " + Pick(kStreets, random) + "\r\n" +
                   Pick(kCities, random);
  for (int slot = 0; slot < 4; ++slot)
    if (slot == 0 || random() % 3 == 0) record.Phones[static_cast<size_t>(slot)] = PhoneNumber(random);
  std::string groups;
  for (int g = 0; g < 10; ++g)
    if (random() % 6 == 0) groups += static_cast<char>(g);
  StoreGroupSet(record, groups);
  if (random() % 4 == 0) record.Notes = "Met at the conference.\r\nCall back in spring.";
}

}  // namespace

BookState GenerateBook(int count, unsigned seed) {
  std::mt19937 random(seed);
  BookState book;
  NewDocument(book);
  for (const char* group : kGroups) AddGroup(book, group);
  book.Records.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    InitNewRecord(book, i);
    FillRecord(book.Records[static_cast<size_t>(i)], random);
  }
  book.Dirty = false;
  return book;
}
