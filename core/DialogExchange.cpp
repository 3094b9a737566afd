#include "core/DialogExchange.h"

DialogExchange& Exchange() {
  static DialogExchange exchange;
  return exchange;
}
