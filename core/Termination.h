#pragma once

#include "core/BookState.h"

// Lets the program be ended from outside without losing anything: on
// SIGTERM, SIGHUP or SIGINT a changed book goes to the recovery file, the
// exit cleanups run (a print job's private folder, a half-written PDF) and
// the program ends as the signal asks. A process file size limit makes a
// save fail like a full disk instead of ending the program.
void EndSafelyWhenTerminated(BookState& book);
