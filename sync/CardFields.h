#pragma once

#include <array>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/BookState.h"
#include "interchange/ImportedContact.h"

// The fields a record holds, by name rather than by list index, so that a
// record and a card can be compared and merged field by field.
enum class CardField { Name, Company, PrintAs, Address, Phone1, Phone2, Phone3, Phone4, Groups, Notes };
inline constexpr int kCardFieldCount = 10;

struct CardFields {
  QString Name;
  QString Company;
  bool Business = false;
  QString Address;  // lines separated by CR LF
  std::array<QString, 4> Phones;
  std::array<QString, 4> PhoneNames;  // empty for a slot without a number
  QStringList Groups;                  // sorted
  QString Notes;

  bool operator==(const CardFields&) const = default;
};

// The contact as far as a record maps it: the best four phones, the best
// address, no "Label: value" lines for what the card keeps by itself.
ImportedContact MappedPart(const ImportedContact& contact);

CardFields FieldsOfRecord(const BookState& book, const AddressRecord& record);
// The fields the card's text maps to; false when the text holds no card.
bool FieldsOfCard(const QByteArray& text, CardFields& fields);
// Sets the record's fields, adding groups (up to the limit) and phone names
// the book does not have yet.
void StoreFields(BookState& book, AddressRecord& record, const CardFields& fields);

QString FieldTitle(CardField field);
QString FieldValue(const CardFields& fields, CardField field);  // as the user is shown it
bool SameField(const CardFields& a, const CardFields& b, CardField field);
void CopyField(CardFields& to, const CardFields& from, CardField field);
// The record's name, else its company, for messages.
QString FieldsTitle(const CardFields& fields);
