#pragma once

#include <QString>

#include "core/AddressRecord.h"

// The Dial Number command: asks the telephony service to dial the number of
// phone slot phoneSlot (0 to 3) of record, naming the record's company (a
// business) or name (a person) as the called party. applicationName is the
// main window's caption. A refused request is reported in a message box; the
// record is never changed.
void DialNumber(const AddressRecord& record, int phoneSlot, const QString& applicationName);
