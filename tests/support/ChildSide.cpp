#include "support/ChildSide.h"

#include <map>
#include <string>

#include <QCoreApplication>

namespace {

const char* const kChildSideVariable = "VANTREO_TEST_CHILD_SIDE";

std::map<std::string, ChildSideBody>& ChildSides() {
  static std::map<std::string, ChildSideBody> sides;
  return sides;
}

}  // namespace

bool RegisterChildSide(const char* name, ChildSideBody body) {
  return ChildSides().emplace(name, body).second;
}

void StartChildSide(QProcess& process, const char* name, QProcessEnvironment environment) {
  environment.insert(QString::fromLatin1(kChildSideVariable), QString::fromLatin1(name));
  process.setProcessEnvironment(environment);
  process.start(QCoreApplication::applicationFilePath(), {});
}

bool RunChildSideIfNamed() {
  const QByteArray name = qgetenv(kChildSideVariable);
  if (name.isEmpty()) return false;
  qunsetenv(kChildSideVariable);  // not for the programs the side starts
  const auto side = ChildSides().find(name.toStdString());
  if (side == ChildSides().end()) qFatal("no child side named %s", name.constData());
  side->second();
  return true;
}
