#include "core/Utf8Validity.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the sequence starting with lead, and the range its second
// byte must lie in (which rules out overlong forms, surrogates and code
// points above U+10FFFF); 0 for a byte that starts no sequence.
struct Lead {
  int Length;
  unsigned char Low, High;
};

Lead LeadOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    if (first < 0x80) {
      ++i;
      continue;
    }
    const Lead lead = LeadOf(first);
    if (lead.Length == 0 || i + static_cast<size_t>(lead.Length) > bytes.size()) return false;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < lead.Low || second > lead.High) return false;
    for (int k = 2; k < lead.Length; ++k)
      if (!IsContinuation(static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]))) return false;
    i += static_cast<size_t>(lead.Length);
  }
  return true;
}
