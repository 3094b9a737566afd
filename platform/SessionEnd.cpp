#include "platform/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace {

class QtSessionEndRequest : public SessionEndRequest {
 public:
  explicit QtSessionEndRequest(QSessionManager& manager) : manager_(manager) {}
  bool AllowsInteraction() override { return manager_.allowsInteraction(); }
  void Cancel() override { manager_.cancel(); }

 private:
  QSessionManager& manager_;
};

}  // namespace

void WhenSessionEnds(QObject* context, std::function<void(SessionEndRequest&)> commitData) {
  // The session manager must have the answer before the signal returns.
  QObject::connect(
      qGuiApp, &QGuiApplication::commitDataRequest, context,
      [commitData = std::move(commitData)](QSessionManager& manager) {
        QtSessionEndRequest request(manager);
        commitData(request);
      },
      Qt::DirectConnection);
}
