#include "core/ProgramSettings.h"

ProgramSettings& Settings() {
  static ProgramSettings settings;
  return settings;
}
