#include "core/PhoneNameText.h"

std::string PhoneNameText(const BookState& book, int index) {
  if (index < 0 || index >= book.PhoneNameCount()) return kBlankPhoneNameText;
  return book.PhoneNames[static_cast<size_t>(index)];
}
