#pragma once

#include <string>
#include <vector>

#include "core/BookState.h"

enum class VCardVersion { V3, V4 };

// The records at the given indexes as vCard 3.0 or 4.0: UTF-8, CR LF line
// ends, lines folded at 75 octets. Each card has FN and N from the name,
// ORG, a business mark, the address as ADR (and LABEL), the phones as TEL
// with their phone names, the groups as CATEGORIES and the notes as NOTE.
std::string WriteVCards(const BookState& book, const std::vector<int>& records, VCardVersion version);

// One record as a card, written as WriteVCards writes it.
std::string WriteVCard(const BookState& book, const AddressRecord& record, VCardVersion version);

// The indexes of every record of the book.
std::vector<int> AllRecords(const BookState& book);
