#include "mainwindow/StatusClock.h"

#include <QDateTime>

#include "platform/LocaleFormats.h"

StatusClock::StatusClock(Style style, QWidget* parent) : QLabel(parent), style_(style) {
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setContentsMargins(6, 0, 6, 0);
  connect(&timer_, &QTimer::timeout, this, &StatusClock::Update);
  timer_.start(1000);
  Update();
}

void StatusClock::Update() {
  const QDateTime now = QDateTime::currentDateTime();
  setText(style_ == Style::Time ? ShortTimeText(now.time()) : ShortDateText(now.date()));
}

#include "moc_StatusClock.cpp"
