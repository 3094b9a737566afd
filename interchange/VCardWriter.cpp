#include "interchange/VCardWriter.h"

#include <QRegularExpression>
#include <QStringList>

#include "core/GroupMembership.h"
#include "interchange/AppleLabel.h"
#include "interchange/PersonalName.h"
#include "interchange/PostalAddress.h"
#include "core/BookText.h"
#include "platform/ProgramIdentity.h"

namespace {

constexpr size_t kLineOctets = 75;

struct PhoneType {
  const char* PhoneName;
  const char* Type;
};
// Phone names other programs know by a TEL type; any other is kept as a label.
constexpr PhoneType kPhoneTypes[] = {{"Home", "HOME"},  {"Work", "WORK"},   {"Fax", "FAX"},
                                     {"Car Phone", "CAR"}, {"Mobile", "CELL"}, {"Pager", "PAGER"}};

QString Text(const std::string& bytes) { return ShownText(bytes); }

QString Escaped(const QString& text) {
  QString escaped;
  escaped.reserve(text.size() + 8);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == '\\' || c == ',' || c == ';') {
      escaped += '\\';
      escaped += c;
    } else if (c == '\r' || c == '\n') {
      escaped += QLatin1String("\\n");
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// A parameter value in double quotes, escaped as RFC 6868 has it and no
// other way: ^n, ^^ and ^' stand for a line break, a caret and a double quote.
QString QuotedParameter(const QString& text) {
  QString quoted = QStringLiteral("\"");
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == '^') quoted += QLatin1String("^^");
    else if (c == '"') quoted += QLatin1String("^'");
    else if (c == '\r' || c == '\n') {
      quoted += QLatin1String("^n");
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else quoted += c;
  }
  return quoted + QLatin1Char('"');
}

class CardWriter {
 public:
  CardWriter(const BookState& book, VCardVersion version, std::string& out) : book_(book), version_(version), out_(out) {}

  void Write(const AddressRecord& record) {
    Line("BEGIN:VCARD");
    Line(version_ == VCardVersion::V3 ? "VERSION:3.0" : "VERSION:4.0");
    Line(QStringLiteral("PRODID:-//%1//%1 %2//EN").arg(QLatin1String(kProgramName), QLatin1String(kProgramVersion)));
    const bool business = record.PrintAs == kPrintAsBusiness;
    if (business && version_ == VCardVersion::V4) Line("KIND:org");
    // FN, the display name every card must have, is the company's where a business has no name;
    // N holds a person's name only.
    Line(QStringLiteral("FN:") + Escaped(Text(record.Name.empty() && business ? record.Company : record.Name)));
    const NameParts name = business ? NameParts{} : SplitName(Text(record.Name));
    Line(QStringLiteral("N:%1;%2;;%3;%4").arg(Escaped(name.Family), Escaped(name.Given), Escaped(name.Prefix),
                                               Escaped(name.Suffix)));
    if (!record.Company.empty()) Line(QStringLiteral("ORG:") + Escaped(Text(record.Company)));
    if (business) Line("X-ABShowAs:COMPANY");
    if (!record.Address.empty()) WriteAddress(Text(record.Address), business ? "WORK" : "HOME");
    for (size_t slot = 0; slot < record.Phones.size(); ++slot)
      if (!record.Phones[slot].empty()) WritePhone(record.Phones[slot], record.PhoneNameIndex[slot]);
    WriteCategories(record);
    if (!record.Notes.empty()) Line(QStringLiteral("NOTE:") + Escaped(Text(record.Notes)));
    Line("END:VCARD");
  }

 private:
  QString Type(const char* type) const {
    return QStringLiteral("TYPE=") + (version_ == VCardVersion::V3 ? QString::fromLatin1(type) : QString::fromLatin1(type).toLower());
  }

  void WriteAddress(const QString& address, const char* type) {
    const PostalParts parts = SplitPostalLines(address.split(QStringLiteral("\r\n")));
    const QString components = QStringLiteral(";;%1;%2;%3;%4;%5").arg(Escaped(parts.Street.join(QLatin1Char('\n'))),
        Escaped(parts.City), Escaped(parts.Region), Escaped(parts.Postcode), Escaped(parts.Country));
    if (version_ == VCardVersion::V4) {
      // Readers take "\n" for a line break in a LABEL without carets; such an address goes by its parts alone.
      static const QRegularExpression misread(QStringLiteral("^[^\\r\\n\"^]*\\\\[nN][^\\r\\n\"^]*$"));
      if (address.contains(misread)) return Line(QStringLiteral("ADR;%1:%2").arg(Type(type), components));
      Line(QStringLiteral("ADR;%1;LABEL=%2:%3").arg(Type(type), QuotedParameter(address), components));
    } else {
      Line(QStringLiteral("ADR;%1:%2").arg(Type(type), components));
      Line(QStringLiteral("LABEL;%1:%2").arg(Type(type), Escaped(address)));
    }
  }

  void WritePhone(const std::string& number, int16_t phoneName) {
    const QString name = phoneName >= 0 && phoneName < book_.PhoneNameCount()
                             ? Text(book_.PhoneNames[static_cast<size_t>(phoneName)]) : QString();
    for (const PhoneType& known : kPhoneTypes) {
      if (name != QLatin1String(known.PhoneName)) continue;
      Line(QStringLiteral("TEL;%1:%2").arg(Type(known.Type), Escaped(Text(number))));
      return;
    }
    if (name.isEmpty()) {
      Line(QStringLiteral("TEL:") + Escaped(Text(number)));
      return;
    }
    // Not grouped with an X-ABLabel line, as Apple writes it: KContacts leaves grouped numbers out.
    Line(QStringLiteral("TEL;X-ABLabel=%1:%2").arg(QuotedParameter(LabelFor(name)), Escaped(Text(number))));
  }

  void WriteCategories(const AddressRecord& record) {
    QStringList names;
    for (const char index : GroupSetOf(record)) {
      const auto g = static_cast<unsigned char>(index);
      if (g < book_.Groups.size()) names << Escaped(Text(book_.Groups[g]));
    }
    if (!names.isEmpty()) Line(QStringLiteral("CATEGORIES:") + names.join(QLatin1Char(',')));
  }

  void Line(const char* text) { Folded(QByteArray(text)); }
  void Line(const QString& text) { Folded(text.toUtf8()); }

  // Lines longer than 75 octets continue on lines that start with a blank,
  // never inside a UTF-8 sequence.
  void Folded(const QByteArray& line) {
    size_t start = 0, limit = kLineOctets;
    const auto size = static_cast<size_t>(line.size());
    while (size - start > limit) {
      size_t end = start + limit;
      while (end > start && (static_cast<unsigned char>(line[static_cast<qsizetype>(end)]) & 0xC0) == 0x80) --end;
      out_.append(line.constData() + start, end - start);
      out_ += "\r\n ";
      start = end;
      limit = kLineOctets - 1;
    }
    out_.append(line.constData() + start, size - start);
    out_ += "\r\n";
  }

  const BookState& book_;
  VCardVersion version_;
  std::string& out_;
};

}  // namespace

std::string WriteVCards(const BookState& book, const std::vector<int>& records, VCardVersion version) {
  std::string out;
  CardWriter writer(book, version, out);
  for (const int index : records) writer.Write(book.Records.at(static_cast<size_t>(index)));
  return out;
}

std::string WriteVCard(const BookState& book, const AddressRecord& record, VCardVersion version) {
  std::string out;
  CardWriter(book, version, out).Write(record);
  return out;
}

std::vector<int> AllRecords(const BookState& book) {
  std::vector<int> all(static_cast<size_t>(book.RecordCount()));
  for (int i = 0; i < book.RecordCount(); ++i) all[static_cast<size_t>(i)] = i;
  return all;
}
