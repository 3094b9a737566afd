#pragma once

#include <QString>

// Stops a sync: the server could not be reached or refused, or its reply
// could not be read. Message says so in the user's words.
struct SyncFailure {
  QString Message;
  int Status = 0;  // the HTTP status, 0 when none came
};
