// Prints what KContacts reads of a vCard file, a line per value:
// "FN: ...", "N: family;given;prefix;suffix", "ORG: ...", "KIND: ...",
// "TEL: number|type label" and "CARD" before each card.
#include <cstdio>

#include <KContacts/VCardConverter>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) return 2;
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) return 2;
  QTextStream out(stdout);
  out.setCodec("UTF-8");
  const KContacts::Addressee::List cards = KContacts::VCardConverter().parseVCards(file.readAll());
  for (const KContacts::Addressee& card : cards) {
    out << "CARD\n";
    out << "FN: " << card.formattedName() << '\n';
    out << "N: " << card.familyName() << ';' << card.givenName() << ';' << card.prefix() << ';' << card.suffix() << '\n';
    out << "ORG: " << card.organization() << '\n';
    out << "KIND: " << card.kind() << '\n';
    for (const KContacts::PhoneNumber& phone : card.phoneNumbers()) {
      out << "TEL: " << phone.number() << '|' << phone.typeLabel() << '\n';
    }
  }
  return 0;
}
