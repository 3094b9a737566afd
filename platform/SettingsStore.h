#pragma once

#include <memory>

#include <QString>

// The per-user store of text values by section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual QString Read(const QString& section, const QString& key, const QString& defaultValue) = 0;
  virtual void Write(const QString& section, const QString& key, const QString& value) = 0;
};

// A store on the user's "Vantreo" settings file.
std::unique_ptr<SettingsStore> OpenUserSettings();

SettingsStore& Store();
void InstallStore(SettingsStore* implementation);
