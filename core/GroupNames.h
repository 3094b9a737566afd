#pragma once

#include <QStringList>

#include "core/AddressRecord.h"
#include "core/BookState.h"

// The names of the groups a record belongs to, alphabetical as in the group
// list of the main window; empty for a record without a group.
QStringList GroupNamesOf(const BookState& book, const AddressRecord& record);

// "Groups: " and the names of a record's groups, for a record in several
// groups; empty for any other record.
QString SeveralGroupsText(const BookState& book, const AddressRecord& record);
