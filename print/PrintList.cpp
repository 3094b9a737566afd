#include "print/PrintList.h"

#include <utility>

#include "find/LastNameFirst.h"
#include "core/BookText.h"
#include "platform/BusyPointer.h"
#include "platform/Collation.h"
#include "print/PrintOutcome.h"
#include "print/PrintRounding.h"

Outcome BuildPrintList(const BookState& book, PrintJob& job) {
  return RunPrintStep(QStringLiteral("Unable to build list of items to be printed."), [&](PrintOutcome&) {
    BusyCursor busy;
    for (int r = 0; r < book.RecordCount(); ++r)
      if (RecordInSelection(book.Records[static_cast<size_t>(r)], job.GroupSelection)) job.PrintList.push_back(r);
  }).Result;
}

std::string DisplayKey(const AddressRecord& record) {
  return record.PrintAs != kPrintAsPerson ? record.Company : LastNameFirst(record.Name);
}

void SortPrintList(const BookState& book, PrintJob& job) {
  BusyCursor busy;
  // Each key is made once; the list is sorted with its keys beside it.
  std::vector<std::pair<QString, int>> items;
  items.reserve(job.PrintList.size());
  for (int r : job.PrintList) items.emplace_back(ShownText(DisplayKey(book.Records[static_cast<size_t>(r)])), r);

  // A Shell sort with these exact gaps, so records with equal keys keep the
  // order users know from earlier printouts.
  const int n = static_cast<int>(items.size());
  for (int gap = RoundToEven(n / 2.0); gap > 0; gap = RoundToEven(gap / 2.0)) {
    for (int i = gap; i < n; ++i) {
      for (int j = i - gap; j >= 0; j -= gap) {
        if (CompareTextIgnoringCase(items[static_cast<size_t>(j)].first, items[static_cast<size_t>(j + gap)].first) <= 0)
          break;
        std::swap(items[static_cast<size_t>(j)], items[static_cast<size_t>(j + gap)]);
      }
    }
  }
  for (int k = 0; k < n; ++k) job.PrintList[static_cast<size_t>(k)] = items[static_cast<size_t>(k)].second;
}
