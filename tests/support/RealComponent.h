#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>

// For a real component a test starts (a print service, a help viewer) that
// is installed but did not start: the test fails where the environment
// variable CI is set, and otherwise skips, saying loudly why.
#define SKIP_OR_FAIL_NOT_STARTED(component, reason)                                         \
  do {                                                                                      \
    if (qEnvironmentVariableIsSet("CI")) FAIL() << component << " did not start: " << reason; \
    GTEST_SKIP() << "SKIPPED LOUDLY: " << component << " did not start: " << reason;        \
  } while (false)
