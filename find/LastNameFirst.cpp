#include "find/LastNameFirst.h"

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string LastNameFirst(const std::string& name) {
  const std::string trimmed = TrimBlanks(name);
  if (trimmed.find(',') != std::string::npos) return trimmed;
  const size_t lastBlank = trimmed.rfind(' ');
  if (lastBlank == std::string::npos) return trimmed;
  return TrimBlanks(trimmed.substr(lastBlank + 1) + " " + trimmed.substr(0, lastBlank + 1));
}
