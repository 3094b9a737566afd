#pragma once

#include <QString>

// The per-user store of text values by section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual QString Read(const QString& section, const QString& key, const QString& defaultValue) = 0;
  virtual void Write(const QString& section, const QString& key, const QString& value) = 0;
};

SettingsStore& Store();
void InstallStore(SettingsStore* implementation);
