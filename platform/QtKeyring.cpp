#include <QEventLoop>

#include <qt6keychain/keychain.h>

#include "platform/Keyring.h"
#include "platform/ServiceSlot.h"

namespace {

const QString kService = QStringLiteral("Vantreo");

// Runs a keyring job to its end; false with its error text when it failed.
bool Finish(QKeychain::Job& job, QString& error) {
  job.setAutoDelete(false);
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (job.error() == QKeychain::NoError) return true;
  error = job.errorString();
  return false;
}

class QtKeyring : public Keyring {
 public:
  bool Read(const QString& key, QString& password, QString& error) override {
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    if (!Finish(job, error)) return false;
    password = job.textData();
    return true;
  }

  bool Write(const QString& key, const QString& password, QString& error) override {
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    job.setTextData(password);
    return Finish(job, error);
  }
};

ServiceSlot<Keyring> slot([] { return std::make_unique<QtKeyring>(); });

}  // namespace

Keyring& DesktopKeyring() { return slot.Get(); }

void InstallKeyring(Keyring* implementation) { slot.Install(implementation); }
