#pragma once

#include <QByteArray>
#include <QString>

#include "interchange/ImportedContact.h"

// True when the text's first content line is BEGIN:VCARD.
bool LooksLikeVCard(const QByteArray& bytes);

// The contacts of every card of a vCard 2.1, 3.0 or 4.0 file; a broken card
// is skipped with its line number and the reading goes on. source names the
// file in the skipped entries.
ReadResult ReadVCards(const QByteArray& bytes, const QString& source);
