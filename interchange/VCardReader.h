#pragma once

#include <functional>

#include <QByteArray>
#include <QString>

#include "interchange/ImportedContact.h"

// True when the text's first content line is BEGIN:VCARD.
bool LooksLikeVCard(const QByteArray& bytes);

// The contacts of every card of a vCard 2.1, 3.0 or 4.0 file, and of cards
// written inside them (2.1's AGENT); a card without an end is skipped with its
// line number, a line that is no property is left out with its number and
// its card kept, and the reading goes on. source names the file in the
// skipped entries.
ReadResult ReadVCards(const QByteArray& bytes, const QString& source);

// The same, handing each contact to take as soon as its card ends, so that a
// file's contacts are never all held at once; the result holds what was
// skipped and no contacts.
ReadResult ReadVCards(const QByteArray& bytes, const QString& source, const std::function<void(ImportedContact&)>& take);
