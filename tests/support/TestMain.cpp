#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "support/ChildSide.h"
#include "support/FakePlatform.h"

namespace {

// Gives every test fresh fakes of the platform services.
class ResetFakesListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { Fakes().Reset(); }
};

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  // Keeps the tests away from the user's own settings and data folders.
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantreo"));
  Fakes().Reset();
  if (RunChildSideIfNamed()) return 0;
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new ResetFakesListener);
  return RUN_ALL_TESTS();
}
