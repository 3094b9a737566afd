#include <QSettings>

#include "platform/ProgramIdentity.h"
#include "platform/ServiceSlot.h"
#include "platform/SettingsStore.h"

namespace {

// Keeps the values in the user's "Vantreo" settings file, one group per section.
class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore() : settings_(QSettings::IniFormat, QSettings::UserScope, QLatin1String(kProgramName)) {}

  QString Read(const QString& section, const QString& key, const QString& defaultValue) override {
    // A hand-edited value with commas reads as a list; it is one text here.
    const QVariant value = settings_.value(section + '/' + key, defaultValue);
    return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                    : value.toString();
  }

  void Write(const QString& section, const QString& key, const QString& value) override {
    settings_.setValue(section + '/' + key, value);
  }

 private:
  QSettings settings_;
};

ServiceSlot<SettingsStore> slot(OpenUserSettings);

}  // namespace

std::unique_ptr<SettingsStore> OpenUserSettings() { return std::make_unique<QtSettingsStore>(); }

SettingsStore& Store() { return slot.Get(); }
void InstallStore(SettingsStore* implementation) { slot.Install(implementation); }
