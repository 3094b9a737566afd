#include "support/WindowKeys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

void PressInActiveWindow(QWidget& window, Qt::Key key) {
  QApplication::setActiveWindow(&window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, key);
}
