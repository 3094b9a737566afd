#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QLineEdit>

#include "bench/BenchRegistry.h"
#include "find/frmGoTo.h"

namespace {

const QString kTyped = QStringLiteral("jose garcia 555");

struct Typing {
  double slowestSeconds = 0;  // of one keystroke, the list repainted
  int found = 0;              // records shown for the whole text
};

// Types text into the open list one key at a time, then erases it the same way.
Typing TypeAndErase(frmGoTo& dialog, const QString& text) {
  double slowest = 0;
  auto press = [&](const QString& shown) {
    slowest = std::max(slowest, SecondsOf([&] {
                         dialog.txtLookFor->setText(shown);
                         QApplication::processEvents();
                       }));
  };
  for (qsizetype n = 1; n <= text.size(); ++n) press(text.left(n));
  const int found = dialog.ShownCount();
  for (qsizetype n = text.size() - 1; n >= 0; --n) press(text.left(n));
  return {slowest, found};
}

RegisterBenchStep goToOpen{"Go To list opened", 0.3, [](BookState& book) {
                             return SecondsOf([&] {
                               frmGoTo dialog(book);
                               dialog.show();
                               QApplication::processEvents();
                             });
                           }};

RegisterBenchStep goToKeystroke{
    "Go To list, slowest keystroke", 0.05, [](BookState& book) {
      frmGoTo dialog(book);
      dialog.show();
      QApplication::processEvents();
      const Typing typing = TypeAndErase(dialog, kTyped);
      // Every generated number has 555, and "jose" begins both Jos\xE9 and Joseph.
      const auto expected = std::count_if(book.Records.begin(), book.Records.end(), [](const AddressRecord& r) {
        return r.Name == "Jos\xE9 Garcia" || r.Name == "Joseph Garcia";
      });
      if (typing.found == expected && expected > 0 && dialog.ShownCount() == book.RecordCount())
        return typing.slowestSeconds;
      std::fprintf(stderr, "the Go To list found %d records for '%s', not %d\n", typing.found,
                   qPrintable(kTyped), static_cast<int>(expected));
      return 1e9;  // a wrong list must not pass for a fast one
    }};

}  // namespace
