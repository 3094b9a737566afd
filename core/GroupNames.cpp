#include "core/GroupNames.h"

#include <algorithm>

#include "core/GroupMembership.h"
#include "core/BookText.h"
#include "platform/Collation.h"

QStringList GroupNamesOf(const BookState& book, const AddressRecord& record) {
  std::vector<std::string> names;
  for (const char code : GroupSetOf(record)) {
    const int g = static_cast<unsigned char>(code);
    if (g < book.GroupCount()) names.push_back(book.Groups[static_cast<size_t>(g)]);
  }
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CompareUtf8IgnoringCase(a, b) < 0; });
  QStringList shown;
  for (const std::string& name : names) shown << ShownText(name);
  return shown;
}

QString SeveralGroupsText(const BookState& book, const AddressRecord& record) {
  if (record.Group != kMultipleGroups) return {};
  return QStringLiteral("Groups: ") + GroupNamesOf(book, record).join(QStringLiteral(", "));
}
