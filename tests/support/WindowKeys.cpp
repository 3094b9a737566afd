#include "support/WindowKeys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

void PressInActiveWindow(QWidget& window, Qt::Key key) {
  ShowActive(window);
  QTest::keyClick(&window, key);
}
