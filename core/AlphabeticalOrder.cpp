#include "core/AlphabeticalOrder.h"

#include <algorithm>
#include <numeric>

#include <QString>

#include "core/BookText.h"
#include "platform/Collation.h"

std::vector<int> AlphabeticalOrder(const std::vector<std::string>& names) {
  std::vector<QString> texts;
  texts.reserve(names.size());
  for (const std::string& name : names) texts.push_back(ShownText(name));
  std::vector<int> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return CompareTextIgnoringCase(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]) < 0;
  });
  return order;
}
