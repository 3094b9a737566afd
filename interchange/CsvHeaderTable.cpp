#include "interchange/CsvHeaderTable.h"

#include <QHash>
#include <QRegularExpression>

namespace {

using F = CsvField;
constexpr const char* kGoogleGroups = " ::: ";

// The headers of Google Contacts', Outlook's (English, German, French,
// Spanish, Italian, Dutch, Portuguese), Thunderbird's and Apple Contacts'
// CSV exports. Outlook's numbered address and phone headers in English are
// recognised by their parts ("Home City", "Business Phone 2").
constexpr KnownHeader kKnownHeaders[] = {
    // English: Google, Outlook, Thunderbird, Apple
    {"name", F::Name, ""}, {"display name", F::Name, ""}, {"full name", F::Name, ""},
    {"given name", F::GivenName, ""}, {"first name", F::GivenName, ""},
    {"additional name", F::MiddleName, ""}, {"middle name", F::MiddleName, ""},
    {"family name", F::FamilyName, ""}, {"last name", F::FamilyName, ""},
    {"name prefix", F::NamePrefix, ""}, {"title", F::NamePrefix, ""},  // Outlook's "Title" is Mr., Dr., ...
    {"prefix", F::NamePrefix, ""}, {"name suffix", F::NameSuffix, ""}, {"suffix", F::NameSuffix, ""},
    {"company", F::Company, ""}, {"organization", F::Company, ""}, {"organization name", F::Company, ""},
    {"department", F::Department, ""}, {"organization department", F::Department, ""},
    {"notes", F::Notes, ""}, {"note", F::Notes, ""},
    {"group membership", F::Groups, kGoogleGroups}, {"labels", F::Groups, kGoogleGroups},
    {"categories", F::Groups, ";"}, {"groups", F::Groups, ","}, {"group", F::Groups, ","},
    {"address", F::Address, ""},
    {"e-mail address", F::Notes, "E-mail", 0, kNotesEmail}, {"e-mail 2 address", F::Notes, "E-mail", 0, kNotesEmail},
    {"e-mail 3 address", F::Notes, "E-mail", 0, kNotesEmail}, {"primary email", F::Notes, "E-mail", 0, kNotesEmail},
    {"secondary email", F::Notes, "E-mail", 0, kNotesEmail}, {"email", F::Notes, "E-mail", 0, kNotesEmail},
    {"e-mail", F::Notes, "E-mail", 0, kNotesEmail},
    {"web page", F::Notes, "Web", 0, kNotesWeb}, {"web page 1", F::Notes, "Web", 0, kNotesWeb},
    {"web page 2", F::Notes, "Web", 0, kNotesWeb}, {"personal web page", F::Notes, "Web", 0, kNotesWeb},
    {"birthday", F::Notes, "Birthday", 0, kNotesBirthday}, {"anniversary", F::Notes, "Anniversary", 0, kNotesAnniversary},
    {"nickname", F::Notes, "Nickname", 0, kNotesNickname}, {"job title", F::Notes, "Title", 0, kNotesTitle},
    {"organization title", F::Notes, "Title", 0, kNotesTitle}, {"screen name", F::Notes, "IM", 0, kNotesMessaging},
    {"business phone", F::Phone, "Work"}, {"business phone 2", F::Phone, "Work"}, {"company main phone", F::Phone, "Main"},
    {"work phone", F::Phone, "Work"}, {"home phone", F::Phone, "Home"}, {"home phone 2", F::Phone, "Home"},
    {"mobile phone", F::Phone, "Mobile"}, {"mobile number", F::Phone, "Mobile"}, {"mobile", F::Phone, "Mobile"},
    {"business fax", F::Phone, "Fax"}, {"home fax", F::Phone, "Fax"}, {"other fax", F::Phone, "Fax"},
    {"fax number", F::Phone, "Fax"}, {"fax", F::Phone, "Fax"}, {"pager", F::Phone, "Pager"},
    {"pager number", F::Phone, "Pager"}, {"car phone", F::Phone, "Car Phone"}, {"other phone", F::Phone, "Other"},
    {"primary phone", F::Phone, "Main"}, {"main phone", F::Phone, "Main"}, {"phone", F::Phone, ""},
    {"telephone", F::Phone, ""},
    // Apple Contacts: "Phone : mobile", "Address : home : city", ...
    {"phone : mobile", F::Phone, "Mobile"}, {"phone : iphone", F::Phone, "Mobile"}, {"phone : home", F::Phone, "Home"},
    {"phone : work", F::Phone, "Work"}, {"phone : main", F::Phone, "Main"}, {"phone : other", F::Phone, "Other"},
    {"phone : home fax", F::Phone, "Fax"}, {"phone : work fax", F::Phone, "Fax"}, {"phone : pager", F::Phone, "Pager"},
    {"email : home", F::Notes, "E-mail (Home)", 0, kNotesEmail}, {"email : work", F::Notes, "E-mail (Work)", 0, kNotesEmail},
    {"email : other", F::Notes, "E-mail", 0, kNotesEmail}, {"url : homepage", F::Notes, "Web", 0, kNotesWeb},
    {"job title", F::Notes, "Title", 0, kNotesTitle},
    {"address : home : street", F::Street, "Home", 2}, {"address : home : city", F::City, "Home", 2},
    {"address : home : state", F::Region, "Home", 2}, {"address : home : zip", F::Postcode, "Home", 2},
    {"address : home : country", F::Country, "Home", 2}, {"address : work : street", F::Street, "Work", 1},
    {"address : work : city", F::City, "Work", 1}, {"address : work : state", F::Region, "Work", 1},
    {"address : work : zip", F::Postcode, "Work", 1}, {"address : work : country", F::Country, "Work", 1},

    // German
    {"anrede", F::NamePrefix, ""}, {"vorname", F::GivenName, ""}, {"weitere vornamen", F::MiddleName, ""},
    {"nachname", F::FamilyName, ""}, {"firma", F::Company, ""}, {"abteilung", F::Department, ""},
    {"position", F::Notes, "Title", 0, kNotesTitle},
    {"straße geschäftlich", F::Street, "Work", 1}, {"straße geschäftlich 2", F::Street, "Work", 1},
    {"straße geschäftlich 3", F::Street, "Work", 1}, {"ort geschäftlich", F::City, "Work", 1},
    {"region geschäftlich", F::Region, "Work", 1}, {"postleitzahl geschäftlich", F::Postcode, "Work", 1},
    {"land/region geschäftlich", F::Country, "Work", 1}, {"land geschäftlich", F::Country, "Work", 1},
    {"straße privat", F::Street, "Home", 2}, {"straße privat 2", F::Street, "Home", 2},
    {"straße privat 3", F::Street, "Home", 2}, {"ort privat", F::City, "Home", 2},
    {"bundesland/kanton privat", F::Region, "Home", 2}, {"region privat", F::Region, "Home", 2},
    {"postleitzahl privat", F::Postcode, "Home", 2}, {"land/region privat", F::Country, "Home", 2},
    {"land privat", F::Country, "Home", 2}, {"weitere straße", F::Street, "Other", 3}, {"weiterer ort", F::City, "Other", 3},
    {"weitere postleitzahl", F::Postcode, "Other", 3},
    {"telefon geschäftlich", F::Phone, "Work"}, {"telefon geschäftlich 2", F::Phone, "Work"},
    {"telefon firma", F::Phone, "Main"}, {"telefon privat", F::Phone, "Home"}, {"telefon privat 2", F::Phone, "Home"},
    {"mobiltelefon", F::Phone, "Mobile"}, {"mobiltelefon 2", F::Phone, "Mobile"}, {"fax geschäftlich", F::Phone, "Fax"},
    {"fax privat", F::Phone, "Fax"}, {"weiteres fax", F::Phone, "Fax"}, {"autotelefon", F::Phone, "Car Phone"},
    {"haupttelefon", F::Phone, "Main"}, {"weiteres telefon", F::Phone, "Other"}, {"pager", F::Phone, "Pager"},
    {"e-mail-adresse", F::Notes, "E-mail", 0, kNotesEmail}, {"e-mail 2: adresse", F::Notes, "E-mail", 0, kNotesEmail},
    {"e-mail 3: adresse", F::Notes, "E-mail", 0, kNotesEmail}, {"webseite", F::Notes, "Web", 0, kNotesWeb},
    {"geburtstag", F::Notes, "Birthday", 0, kNotesBirthday}, {"jahrestag", F::Notes, "Anniversary", 0, kNotesAnniversary},
    {"kategorien", F::Groups, ";"}, {"notizen", F::Notes, ""},

    // French
    {"titre", F::NamePrefix, ""}, {"prénom", F::GivenName, ""}, {"deuxième prénom", F::MiddleName, ""},
    {"nom", F::FamilyName, ""}, {"suffixe", F::NameSuffix, ""}, {"société", F::Company, ""},
    {"service", F::Department, ""}, {"fonction", F::Notes, "Title", 0, kNotesTitle},
    {"rue (bureau)", F::Street, "Work", 1}, {"rue (bureau) 2", F::Street, "Work", 1},
    {"ville (bureau)", F::City, "Work", 1}, {"dép/région (bureau)", F::Region, "Work", 1},
    {"état/prov (bureau)", F::Region, "Work", 1}, {"code postal (bureau)", F::Postcode, "Work", 1},
    {"pays/région (bureau)", F::Country, "Work", 1}, {"rue (domicile)", F::Street, "Home", 2},
    {"rue (domicile) 2", F::Street, "Home", 2}, {"ville (domicile)", F::City, "Home", 2},
    {"dép/région (domicile)", F::Region, "Home", 2}, {"état/prov (domicile)", F::Region, "Home", 2},
    {"code postal (domicile)", F::Postcode, "Home", 2}, {"pays/région (domicile)", F::Country, "Home", 2},
    {"téléphone (bureau)", F::Phone, "Work"}, {"téléphone 2 (bureau)", F::Phone, "Work"},
    {"téléphone (domicile)", F::Phone, "Home"}, {"téléphone 2 (domicile)", F::Phone, "Home"},
    {"tél. mobile", F::Phone, "Mobile"}, {"téléphone mobile", F::Phone, "Mobile"},
    {"télécopie (bureau)", F::Phone, "Fax"}, {"télécopie (domicile)", F::Phone, "Fax"},
    {"téléphone voiture", F::Phone, "Car Phone"}, {"téléphone principal", F::Phone, "Main"},
    {"autre téléphone", F::Phone, "Other"}, {"récepteur de radiomessagerie", F::Phone, "Pager"},
    {"adresse de messagerie", F::Notes, "E-mail", 0, kNotesEmail}, {"page web", F::Notes, "Web", 0, kNotesWeb},
    {"anniversaire", F::Notes, "Birthday", 0, kNotesBirthday}, {"catégories", F::Groups, ";"},

    // Spanish
    {"tratamiento", F::NamePrefix, ""}, {"nombre", F::GivenName, ""}, {"segundo nombre", F::MiddleName, ""},
    {"apellidos", F::FamilyName, ""}, {"sufijo", F::NameSuffix, ""}, {"organización", F::Company, ""},
    {"departamento", F::Department, ""}, {"puesto", F::Notes, "Title", 0, kNotesTitle},
    {"calle del trabajo", F::Street, "Work", 1}, {"ciudad de trabajo", F::City, "Work", 1},
    {"provincia o estado de trabajo", F::Region, "Work", 1}, {"código postal del trabajo", F::Postcode, "Work", 1},
    {"país o región del trabajo", F::Country, "Work", 1}, {"calle del domicilio", F::Street, "Home", 2},
    {"ciudad de residencia", F::City, "Home", 2}, {"provincia o estado de residencia", F::Region, "Home", 2},
    {"código postal de residencia", F::Postcode, "Home", 2}, {"país o región de residencia", F::Country, "Home", 2},
    {"teléfono del trabajo", F::Phone, "Work"}, {"particular", F::Phone, "Home"}, {"teléfono móvil", F::Phone, "Mobile"},
    {"fax del trabajo", F::Phone, "Fax"}, {"fax particular", F::Phone, "Fax"}, {"localizador", F::Phone, "Pager"},
    {"teléfono del automóvil", F::Phone, "Car Phone"}, {"teléfono principal", F::Phone, "Main"},
    {"otro teléfono", F::Phone, "Other"}, {"dirección de correo electrónico", F::Notes, "E-mail", 0, kNotesEmail},
    {"notas", F::Notes, ""}, {"categorías", F::Groups, ";"}, {"cumpleaños", F::Notes, "Birthday", 0, kNotesBirthday},

    // Italian
    {"titolo", F::NamePrefix, ""}, {"nome", F::GivenName, ""}, {"secondo nome", F::MiddleName, ""},
    {"cognome", F::FamilyName, ""}, {"suffisso", F::NameSuffix, ""}, {"società", F::Company, ""},
    {"reparto", F::Department, ""}, {"posizione", F::Notes, "Title", 0, kNotesTitle},
    {"via (uff.)", F::Street, "Work", 1}, {"città (uff.)", F::City, "Work", 1}, {"provincia (uff.)", F::Region, "Work", 1},
    {"cap (uff.)", F::Postcode, "Work", 1}, {"paese/area geografica (uff.)", F::Country, "Work", 1},
    {"paese (uff.)", F::Country, "Work", 1}, {"via (ab.)", F::Street, "Home", 2}, {"città (ab.)", F::City, "Home", 2},
    {"provincia (ab.)", F::Region, "Home", 2}, {"cap (ab.)", F::Postcode, "Home", 2},
    {"paese/area geografica (ab.)", F::Country, "Home", 2}, {"paese (ab.)", F::Country, "Home", 2},
    {"ufficio", F::Phone, "Work"}, {"abitazione", F::Phone, "Home"}, {"cellulare", F::Phone, "Mobile"},
    {"fax (uff.)", F::Phone, "Fax"}, {"fax (ab.)", F::Phone, "Fax"}, {"cercapersone", F::Phone, "Pager"},
    {"telefono auto", F::Phone, "Car Phone"}, {"telefono principale", F::Phone, "Main"},
    {"altro telefono", F::Phone, "Other"}, {"indirizzo posta elettronica", F::Notes, "E-mail", 0, kNotesEmail},
    {"note", F::Notes, ""}, {"categorie", F::Groups, ";"}, {"compleanno", F::Notes, "Birthday", 0, kNotesBirthday},

    // Dutch
    {"titel", F::NamePrefix, ""}, {"voornaam", F::GivenName, ""}, {"middelste naam", F::MiddleName, ""},
    {"achternaam", F::FamilyName, ""}, {"achtervoegsel", F::NameSuffix, ""}, {"bedrijf", F::Company, ""},
    {"afdeling", F::Department, ""}, {"functie", F::Notes, "Title", 0, kNotesTitle},
    {"werkadres, straat", F::Street, "Work", 1}, {"werkadres, plaats", F::City, "Work", 1},
    {"werkadres, provincie", F::Region, "Work", 1}, {"werkadres, postcode", F::Postcode, "Work", 1},
    {"werkadres, land/regio", F::Country, "Work", 1}, {"huisadres, straat", F::Street, "Home", 2},
    {"huisadres, plaats", F::City, "Home", 2}, {"huisadres, provincie", F::Region, "Home", 2},
    {"huisadres, postcode", F::Postcode, "Home", 2}, {"huisadres, land/regio", F::Country, "Home", 2},
    {"telefoon op werk", F::Phone, "Work"}, {"telefoon thuis", F::Phone, "Home"}, {"mobiele telefoon", F::Phone, "Mobile"},
    {"fax op werk", F::Phone, "Fax"}, {"fax thuis", F::Phone, "Fax"}, {"autotelefoon", F::Phone, "Car Phone"},
    {"hoofdtelefoon", F::Phone, "Main"}, {"andere telefoon", F::Phone, "Other"},
    {"e-mailadres", F::Notes, "E-mail", 0, kNotesEmail}, {"notities", F::Notes, ""}, {"categorieën", F::Groups, ";"},
    {"verjaardag", F::Notes, "Birthday", 0, kNotesBirthday}, {"webpagina", F::Notes, "Web", 0, kNotesWeb},

    // Portuguese (Brazil and Portugal)
    {"sobrenome", F::FamilyName, ""}, {"apelido", F::FamilyName, ""}, {"segundo nome", F::MiddleName, ""},
    {"sufixo", F::NameSuffix, ""}, {"empresa", F::Company, ""}, {"cargo", F::Notes, "Title", 0, kNotesTitle},
    {"rua comercial", F::Street, "Work", 1}, {"cidade comercial", F::City, "Work", 1},
    {"estado comercial", F::Region, "Work", 1}, {"cep comercial", F::Postcode, "Work", 1},
    {"código postal comercial", F::Postcode, "Work", 1}, {"país/região comercial", F::Country, "Work", 1},
    {"rua residencial", F::Street, "Home", 2}, {"cidade residencial", F::City, "Home", 2},
    {"estado residencial", F::Region, "Home", 2}, {"cep residencial", F::Postcode, "Home", 2},
    {"código postal residencial", F::Postcode, "Home", 2}, {"país/região residencial", F::Country, "Home", 2},
    {"telefone comercial", F::Phone, "Work"}, {"telefone residencial", F::Phone, "Home"},
    {"telefone celular", F::Phone, "Mobile"}, {"telemóvel", F::Phone, "Mobile"}, {"fax comercial", F::Phone, "Fax"},
    {"fax residencial", F::Phone, "Fax"}, {"telefone do carro", F::Phone, "Car Phone"},
    {"telefone principal", F::Phone, "Main"}, {"outro telefone", F::Phone, "Other"},
    {"endereço de email", F::Notes, "E-mail", 0, kNotesEmail}, {"endereço de correio eletrónico", F::Notes, "E-mail", 0, kNotesEmail},
    {"anotações", F::Notes, ""}, {"categorias", F::Groups, ";"}, {"aniversário", F::Notes, "Birthday", 0, kNotesBirthday},
};

// Words of headers no table names, in English and the languages above: the
// first word that names a field decides, kinds name the phone or address.
struct HeaderWord {
  const char* Words;  // blank-separated, lower case
  CsvField Field;
};
const HeaderWord kFieldWords[] = {
    {"fax telefax télécopie telecopia", F::Phone},
    {"phone tel telephone telefon téléphone teléfono telefono telefoon telefone mobile mobil handy cell cellular "
     "móvil movil cellulare mobiel celular telemóvel pager", F::Phone},
    {"street straße strasse rue calle via straat rua", F::Street},
    {"city town ort wohnort stadt ville ciudad città citta plaats cidade", F::City},
    {"zip postal postcode plz postleitzahl cap cep", F::Postcode},
    {"country land pays país pais paese", F::Country},
    {"state region province bundesland provincia provincie estado", F::Region},
    {"company organisation organization firma société societe empresa società bedrijf organización", F::Company},
    {"first given vorname prénom prenom nombre nome voornaam", F::GivenName},
    {"last family surname nachname apellido apellidos cognome achternaam sobrenome", F::FamilyName},
    {"name naam", F::Name},
    {"address adresse dirección indirizzo adres endereço", F::Address},
    {"note notes notiz notizen notas nota notities anotações", F::Notes},
    {"group groups category categories gruppe kategorie kategorien catégorie catégories categoría categorías "
     "categoria categorie groep grupo", F::Groups},
};

struct KindWord {
  const char* Words;
  const char* PhoneName;
  const char* Kind;
  int Set;
};
const KindWord kKindWords[] = {
    {"fax telefax télécopie telecopia", "Fax", "", 0},
    {"mobile mobil handy cell cellular móvil movil cellulare mobiel celular telemóvel", "Mobile", "", 0},
    {"pager", "Pager", "", 0},
    {"home private privat domicile casa particular residencia thuis residencial huis ab", "Home", "Home", 2},
    {"work business office büro geschäftlich bureau trabajo ufficio uff werk comercial", "Work", "Work", 1},
    {"main haupt principal principale", "Main", "", 0},
    {"other weitere weiteres autre otro altro andere outro", "Other", "Other", 3},
};

bool HasWord(const QStringList& words, const char* list) {
  for (const QString& word : QString::fromUtf8(list).split(QLatin1Char(' ')))
    if (words.contains(word)) return true;
  return false;
}

}  // namespace

const KnownHeader* FindKnownHeader(const QString& header) {
  static const QHash<QString, const KnownHeader*> byName = [] {
    QHash<QString, const KnownHeader*> names;
    for (const KnownHeader& known : kKnownHeaders) names.insert(QString::fromUtf8(known.Header), &known);
    return names;
  }();
  return byName.value(header.trimmed().toLower(), nullptr);
}

CsvColumn GuessColumn(const QString& header) {
  static const QRegularExpression separators(QStringLiteral("[^\\w]+"));
  const QStringList words = header.toLower().split(separators, Qt::SkipEmptyParts);
  for (const HeaderWord& field : kFieldWords) {
    if (!HasWord(words, field.Words)) continue;
    CsvColumn column{field.Field, 0, {}, kNotesOther, false};
    if (field.Field == F::Groups) column.Label = QStringLiteral(",");
    for (const KindWord& kind : kKindWords) {
      if (!HasWord(words, kind.Words)) continue;
      if (field.Field == F::Phone) column.Label = QString::fromUtf8(kind.PhoneName);
      else if (field.Field >= F::Street && field.Field <= F::Country && kind.Set > 0)
        column = {field.Field, kind.Set, QString::fromUtf8(kind.Kind), kNotesOther, false};
      else continue;
      break;
    }
    return column;
  }
  return {F::Notes, 0, header.trimmed(), kNotesOther, false};
}
