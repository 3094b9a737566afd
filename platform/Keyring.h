#pragma once

#include <QString>

// The desktop's keyring, where account passwords are kept instead of in the
// settings file.
class Keyring {
 public:
  virtual ~Keyring() = default;
  // False (error says why) when there is no password for key or no keyring runs.
  virtual bool Read(const QString& key, QString& password, QString& error) = 0;
  virtual bool Write(const QString& key, const QString& password, QString& error) = 0;
};

// The keyring of the desktop session, through QtKeychain (Secret Service),
// unless another is installed (nullptr brings it back).
Keyring& DesktopKeyring();
void InstallKeyring(Keyring* implementation);
