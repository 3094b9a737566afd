#pragma once

#include <QComboBox>

// Set when Escape is pressed while a group list is open; the window's
// OnGroupCloseUp reads it and clears it. Shared by the main window and the
// print dialog.
bool& GroupListCancelled();

// A drop-down group list that opens with the Down arrow (F4 does nothing),
// and tells once each time its list closes, after the choice has been made.
// Only the opened list changes the choice.
class GroupComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit GroupComboBox(QWidget* parent = nullptr);

  void showPopup() override;
  void hidePopup() override;

  // Selects the entry whose code (item data) is code; false when there is none.
  bool SelectCode(int code);
  int SelectedCode() const;

 Q_SIGNALS:
  void droppedDown();
  void closedUp();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool open_ = false;
};
