#include "core/BookState.h"

BookState& Book() {
  static BookState book;
  return book;
}
