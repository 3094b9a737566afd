#include "print/PrintJob.h"

ReportType ReportTypeOf(int16_t stored) {
  switch (stored) {
    case 1: return ReportType::PhoneBook;
    case 2: return ReportType::Labels;
    default: return ReportType::PhoneList;
  }
}

int MinimumLinesPerPage(ReportType type) {
  switch (type) {
    case ReportType::PhoneList: return 25;
    case ReportType::PhoneBook: return 18;
    case ReportType::Labels: return 2;
  }
  return 25;
}
