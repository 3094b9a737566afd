#include "core/GroupComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>

bool& GroupListCancelled() {
  static bool cancelled = false;
  return cancelled;
}

GroupComboBox::GroupComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  view()->installEventFilter(this);
}

void GroupComboBox::showPopup() {
  if (open_) return;
  open_ = true;
  Q_EMIT droppedDown();
  QComboBox::showPopup();
}

void GroupComboBox::hidePopup() {
  QComboBox::hidePopup();
  if (!open_) return;
  open_ = false;
  // The list hides before it commits a clicked or entered item, so the
  // notice is sent once control is back in the event loop.
  QMetaObject::invokeMethod(this, &GroupComboBox::closedUp, Qt::QueuedConnection);
}

bool GroupComboBox::SelectCode(int code) {
  const int position = findData(code);
  if (position < 0) return false;
  setCurrentIndex(position);
  return true;
}

int GroupComboBox::SelectedCode() const {
  return currentIndex() < 0 ? 0 : currentData().toInt();
}

// Down (also with Alt) and Space open the list. Other keys, like the wheel,
// leave the closed box alone: Up, Home, End or a letter would show a choice
// that no close-up stores.
void GroupComboBox::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool opens = (event->key() == Qt::Key_Down && (modifiers & ~Qt::AltModifier) == Qt::NoModifier) ||
                     (event->key() == Qt::Key_Space && modifiers == Qt::NoModifier);
  if (opens)
    showPopup();
  else
    event->ignore();
}

void GroupComboBox::wheelEvent(QWheelEvent* event) { event->ignore(); }

bool GroupComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view() && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
    GroupListCancelled() = true;
  return QComboBox::eventFilter(watched, event);
}

#include "moc_GroupComboBox.cpp"
