#pragma once

#include <QByteArray>

#include "core/BookState.h"

// A new card for the record, with the record's identifier as its UID.
QByteArray NewCard(const BookState& book, const AddressRecord& record);

// The server's card with the record's values: only the properties of the
// fields that differ are replaced, in place, so that everything the record
// does not hold (e-mail, web sites, birthdays, photos, more phones and
// addresses, other programs' own properties) stays as it is.
QByteArray PatchedCard(const QByteArray& serverText, const BookState& book, const AddressRecord& record);
