#pragma once

// The system beep, for refused keys and input.
class SystemBeep {
 public:
  virtual ~SystemBeep() = default;
  virtual void Beep() = 0;
};

SystemBeep& Beeper();
void InstallBeeper(SystemBeep* implementation);
