#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/GroupMembership.h"
#include "platform/PrinterChoice.h"

enum class ReportType : int16_t { PhoneList = 0, PhoneBook = 1, Labels = 2 };

// The report type stored in the settings; an unknown value is a phone list.
ReportType ReportTypeOf(int16_t stored);

// The fewest body lines per page a report type can be printed with.
int MinimumLinesPerPage(ReportType type);

// What one print request prints beyond the settings: the groups, the copies
// and pages chosen in the system print dialog, the lines per page measured
// for the font, and the records in print order.
struct PrintJob {
  std::string GroupSelection = std::string(1, static_cast<char>(kSelectAllGroups));
  CopyChoice Copies;
  int16_t LinesPerPage = 0;
  std::vector<int> PrintList;  // indexes into the document's records
};
