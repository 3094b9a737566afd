#pragma once

#include <QLabel>
#include <QTimer>

// A status bar pane that keeps showing the current time or date.
class StatusClock : public QLabel {
  Q_OBJECT

 public:
  enum class Style { Time, Date };
  explicit StatusClock(Style style, QWidget* parent = nullptr);

 private:
  void Update();

  Style style_;
  QTimer timer_;
};
