#pragma once

#include <functional>

class QObject;

// The desktop session manager's request, when the user logs out or shuts
// down, that the program save what would otherwise be lost.
class SessionEndRequest {
 public:
  virtual ~SessionEndRequest() = default;

  // True when the program may ask the user now (the session manager may make
  // it wait for its turn first).
  virtual bool AllowsInteraction() = 0;

  // Asks the session manager not to end the session.
  virtual void Cancel() = 0;
};

// Calls commitData on each such request for as long as context exists.
void WhenSessionEnds(QObject* context, std::function<void(SessionEndRequest&)> commitData);
