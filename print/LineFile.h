#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PrivateTemporaryFile.h"

inline constexpr const char* kLineFileName = "_$QLBX$_.$$$";

// The number of pages totalLines fill at linesPerPage lines a page.
int PageCount(int32_t totalLines, int linesPerPage);

// The printed lines of one job, one CR LF-ended line each, in a private
// temporary file that is deleted with this object. A line holding a TAB
// has a left part before it and a right part after it.
class LineFile {
 public:
  explicit LineFile(int linesPerPage);

  // Appends a line and notes where it begins.
  void Write(const std::string& line);
  // Ends writing; from here on lines are read.
  void StartReading();
  // Line index (1-based, at most TotalLines()), without its line end.
  std::string ReadLine(int32_t index);

  int32_t TotalLines() const { return static_cast<int32_t>(LineIndex.size()); }
  int LinesPerPage() const { return linesPerPage_; }
  int PageCount() const { return ::PageCount(TotalLines(), linesPerPage_); }
  QString Path() const { return file_.Path(); }

 private:
  PrivateTemporaryFile file_;
  int linesPerPage_;
  std::vector<qint64> LineIndex;  // where each line begins
};
