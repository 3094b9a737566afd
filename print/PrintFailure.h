#pragma once

#include "platform/PlatformError.h"

// The number and description of the exception being handled; call it only
// inside a catch block.
PlatformError CaughtFailure();
