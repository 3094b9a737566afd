#pragma once

// The wait (hourglass) pointer shown during long operations.
class BusyPointer {
 public:
  virtual ~BusyPointer() = default;
  virtual void Show() = 0;
  virtual void Restore() = 0;
  virtual bool IsBusy() const = 0;
};

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
