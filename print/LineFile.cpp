#include "print/LineFile.h"

namespace {

constexpr qint64 kLineEndLength = 2;  // CR LF

}  // namespace

int PageCount(int32_t totalLines, int linesPerPage) {
  return static_cast<int>((linesPerPage - 1 + static_cast<int64_t>(totalLines)) / linesPerPage);
}

LineFile::LineFile(int linesPerPage)
    : file_(QString::fromLatin1(kLineFileName)), linesPerPage_(linesPerPage) {}

void LineFile::Write(const std::string& line) {
  LineIndex.push_back(file_.Position());
  file_.Write(line + "\r\n");
}

void LineFile::StartReading() { file_.ReopenForReading(); }

std::string LineFile::ReadLine(int32_t index) {
  const size_t i = static_cast<size_t>(index - 1);
  const qint64 end = i + 1 < LineIndex.size() ? LineIndex[i + 1] : file_.Size();
  return file_.Read(LineIndex[i], end - LineIndex[i] - kLineEndLength);
}
