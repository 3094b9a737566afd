#pragma once

// The wait (hourglass) pointer shown during long operations.
class BusyPointer {
 public:
  virtual ~BusyPointer() = default;
  virtual void Show() = 0;
  virtual void Restore() = 0;
  virtual bool IsBusy() const = 0;
};

// The program's wait pointer: one that changes nothing (the command line has
// no pointer) until the window installs the screen's (ScreenBusyPointer).
BusyPointer& Busy();
void InstallBusy(BusyPointer* implementation);

// Shows the wait pointer for its lifetime, so every path restores it.
class BusyCursor {
 public:
  BusyCursor() { Busy().Show(); }
  ~BusyCursor() { Busy().Restore(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// Shows the normal pointer for its lifetime, for a question asked in the
// middle of a busy operation.
class NormalPointer {
 public:
  NormalPointer() : wasBusy_(Busy().IsBusy()) {
    if (wasBusy_) Busy().Restore();
  }
  ~NormalPointer() {
    if (wasBusy_) Busy().Show();
  }
  NormalPointer(const NormalPointer&) = delete;
  NormalPointer& operator=(const NormalPointer&) = delete;

 private:
  bool wasBusy_;
};
