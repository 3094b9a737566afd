#include "interchange/VCardReader.h"

#include <algorithm>
#include <map>

#include <optional>

#include <QRegularExpression>

#include "interchange/AppleLabel.h"
#include "interchange/PersonalName.h"
#include "interchange/PostalAddress.h"
#include "interchange/TextDecoding.h"
#include "interchange/VCardProperty.h"

namespace {

struct NotesLabel {
  const char* Property;
  const char* Label;
  NotesOrder Rank;
};

// Text properties that have no field of their own, with their Notes label.
constexpr NotesLabel kNotesLabels[] = {
    {"EMAIL", "E-mail", kNotesEmail},          {"URL", "Web", kNotesWeb},
    {"BDAY", "Birthday", kNotesBirthday},      {"ANNIVERSARY", "Anniversary", kNotesAnniversary},
    {"X-ANNIVERSARY", "Anniversary", kNotesAnniversary}, {"NICKNAME", "Nickname", kNotesNickname},
    {"TITLE", "Title", kNotesTitle},           {"ROLE", "Role", kNotesRole},
    {"IMPP", "IM", kNotesMessaging},           {"X-AIM", "IM (AIM)", kNotesMessaging},
    {"X-JABBER", "IM (Jabber)", kNotesMessaging}, {"X-SKYPE", "IM (Skype)", kNotesMessaging},
    {"X-MSN", "IM (MSN)", kNotesMessaging},    {"X-YAHOO", "IM (Yahoo)", kNotesMessaging},
    {"X-ICQ", "IM (ICQ)", kNotesMessaging},    {"X-GOOGLE-TALK", "IM (Google Talk)", kNotesMessaging},
    {"PHOTO", "Photo", kNotesOther},           {"LOGO", "Logo", kNotesOther},
    {"SOUND", "Sound", kNotesOther},           {"KEY", "Key", kNotesOther},
    {"GENDER", "Gender", kNotesOther},         {"LANG", "Language", kNotesOther},
    {"TZ", "Time zone", kNotesOther},          {"GEO", "Location", kNotesOther},
    {"X-SPOUSE", "Spouse", kNotesOther},       {"X-ASSISTANT", "Assistant", kNotesOther},
    {"X-MANAGER", "Manager", kNotesOther},
};

// The names are literals: a copy of one allocates nothing.
struct TypeName {
  const char* Type;
  QString Name;
};

// Phone names by TYPE, the first present wins: any fax is a "Fax".
// A number of no such type ("VOICE", none at all) has no phone name.
const TypeName kPhoneNames[] = {
    {"FAX", QStringLiteral("Fax")},   {"CELL", QStringLiteral("Mobile")},       {"PAGER", QStringLiteral("Pager")},
    {"CAR", QStringLiteral("Car Phone")}, {"HOME", QStringLiteral("Home")},     {"WORK", QStringLiteral("Work")},
    {"MAIN-NUMBER", QStringLiteral("Main")}, {"OTHER", QStringLiteral("Other")}};
const TypeName kKinds[] = {{"HOME", QStringLiteral("Home")}, {"WORK", QStringLiteral("Work")}, {"OTHER", QStringLiteral("Other")}};

QString NameOfType(const VCardProperty& property, const TypeName* table, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (property.HasType(table[i].Type)) return table[i].Name;
  return {};
}


QString WithKind(const QString& label, const QString& kind) {
  return kind.isEmpty() ? label : label + QStringLiteral(" (") + kind + QLatin1Char(')');
}

bool HasCaret(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '^' && (text[i + 1] == 'n' || text[i + 1] == 'N' || text[i + 1] == '^' || text[i + 1] == '\''))
      return true;
  return false;
}

// A parameter's text with RFC 6868's carets, and, when backslashBreaks is
// set and the value has no carets, "\n" for a line break as RFC 6350's own
// LABEL example writes it; any other backslash is itself.
QString ParameterText(const QByteArray& raw, bool backslashBreaks) {
  if (raw.isEmpty()) return {};
  const QString text = DecodeText(raw);
  backslashBreaks = backslashBreaks && !HasCaret(text);
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '^' && i + 1 < text.size()) {
      const QChar next = text[i + 1];
      if (next == 'n' || next == 'N') { plain += '\n'; ++i; continue; }
      if (next == '^') { plain += '^'; ++i; continue; }
      if (next == '\'') { plain += '"'; ++i; continue; }
    }
    if (backslashBreaks && text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 'N')) {
      plain += '\n';
      ++i;
      continue;
    }
    plain += text[i];
  }
  return plain;
}

QStringList LinesOf(const QString& text) { return WithPlainLineBreaks(text).split('\n'); }

constexpr size_t kAddressComponents = 7;

// One card's properties turned into a contact.
class CardReader {
 public:
  explicit CardReader(const std::vector<VCardProperty>& properties) : properties_(properties) {
    for (const VCardProperty& property : properties)
      if (property.Known == KnownProperty::Version) version21_ = property.Value.trimmed() == "2.1";
    for (const VCardProperty& property : properties)
      if (property.Known == KnownProperty::XAbLabel && !property.Group.isEmpty())
        groupLabels_[property.Group] = PlainLabel(Text(property));
  }

  ImportedContact Read(int& binaries) {
    QString fn;
    bool hasPersonalName = false;
    for (const VCardProperty& property : properties_) {
      switch (property.Known) {
        case KnownProperty::Fn: fn = Text(property); break;
        case KnownProperty::N:
          nameFromN_ = NameFromComponents(JoinedComponents(property, [](size_t) { return QStringView(u" "); }));
          hasPersonalName = !IsBlank(nameFromN_);
          break;
        case KnownProperty::Org: ReadCompany(property); break;
        case KnownProperty::Kind: {
          const QString kind = Text(property).trimmed().toLower();
          if (kind == QLatin1String("org") || kind == QLatin1String("organization")) contact_.IsBusiness = true;
          break;
        }
        case KnownProperty::XAbShowAs:
          if (Text(property).trimmed().compare(QLatin1String("COMPANY"), Qt::CaseInsensitive) == 0) contact_.IsBusiness = true;
          break;
        case KnownProperty::Adr: ReadAddress(property); break;
        case KnownProperty::Label: labels_.push_back({&property}); break;
        case KnownProperty::Tel: ReadPhone(property); break;
        case KnownProperty::Categories:
          for (QString& category : PropertyList(property, version21_))
            if (!IsBlank(category)) contact_.Categories << std::move(category).trimmed();
          break;
        case KnownProperty::Note: AppendLine(contact_.Note, Text(property)); break;
        case KnownProperty::Photo:
        case KnownProperty::Logo:
        case KnownProperty::Sound:
        case KnownProperty::Key:
          if (property.IsBinary()) ++binaries;
          else ReadExtra(property);
          break;
        case KnownProperty::Other:
          if (!property.Name.isEmpty()) ReadExtra(property);
          break;
        default: break;  // identifiers, revision stamps, and what another property already brings
      }
    }
    MatchLabels();
    contact_.Name = fn.isEmpty() ? nameFromN_ : fn;
    // A company's card names the company as FN, as it must have a display name: no person's name.
    const QStringView shownName = QStringView(fn).trimmed(), company = QStringView(contact_.Company).trimmed();
    if (contact_.IsBusiness && !hasPersonalName && shownName == company) contact_.Name.clear();
    contact_.HasPersonalName = hasPersonalName || !(shownName.isEmpty() || shownName == company);
    return std::move(contact_);
  }

 private:
  struct PendingLabel {
    const VCardProperty* Property;
  };
  struct PendingAddress {
    size_t Index;
    const VCardProperty* Property;
    bool Labelled;  // its lines come from a LABEL
  };
  // Positions in unlabelled_ in file order, and the first not yet looked at.
  struct AddressQueue {
    std::vector<size_t> Positions;
    size_t Next = 0;
  };

  QString Text(const VCardProperty& property) const { return PropertyText(property, version21_); }

  QString GroupLabel(const VCardProperty& property) const {
    const auto found = groupLabels_.find(property.Group);
    return found == groupLabels_.end() || property.Group.isEmpty() ? QString() : found->second;
  }

  QString KindOf(const VCardProperty& property) const {
    const QString label = GroupLabel(property);
    return label.isEmpty() ? NameOfType(property, kKinds, std::size(kKinds)) : label;
  }

  // Each component's list values joined by separator(component).
  template <class Separator>
  std::vector<QString> JoinedComponents(const VCardProperty& property, Separator separator) const {
    std::vector<QString> joined;
    joined.reserve(kAddressComponents);  // room for the most of the usual values: N has five, ADR seven
    ForEachComponentValue(property, version21_, [&](size_t component, QString& value, bool first) {
      if (first) joined.push_back(std::move(value));
      else joined.back().append(separator(component)).append(value);
    });
    return joined;
  }

  // N is family;given;additional;prefix;suffix.
  static QString NameFromComponents(const std::vector<QString>& n) {
    const auto part = [&](size_t i) { return i < n.size() ? n[i] : QString(); };
    return ComposeName({part(3), part(1), part(2), part(0), part(4)});
  }

  void ReadCompany(const VCardProperty& property) {
    QStringList units;
    for (QString& unit : JoinedComponents(property, [](size_t) { return QStringView(u", "); }))
      if (!IsBlank(unit)) units << std::move(unit);
    contact_.Company = units.join(QStringLiteral(", "));
  }

  void ReadAddress(const VCardProperty& property) {
    ContactAddress address;
    address.Kind = KindOf(property);
    address.Preference = property.Preference();
    const QByteArray label = property.Parameter("LABEL");
    if (!label.isEmpty()) {
      address.Lines = LinesOf(ParameterText(label, true));
    } else {
      unlabelled_.push_back({contact_.Addresses.size(), &property, false});
    }
    contact_.Addresses.push_back(std::move(address));
  }

  // The lines of an address from its parts, for an address no LABEL gave lines.
  // Post office box, extended and street parts are lines of the street, each of their values on lines of its own.
  QStringList LinesFromParts(const VCardProperty& property) const {
    const std::vector<QString> parts =
        JoinedComponents(property, [](size_t component) { return QStringView(component < 3 ? u"\n" : u" "); });
    const auto part = [&](size_t i) { return i < parts.size() ? parts[i] : QString(); };
    PostalParts postal;
    for (size_t i : {0, 1, 2})
      if (i < parts.size()) postal.Street << LinesOf(parts[i]);
    postal.City = part(3);
    postal.Region = part(4);
    postal.Postcode = part(5);
    postal.Country = part(6);
    return PostalLines(postal);
  }

  // A LABEL property gives the lines of the address of its group, else of
  // the first address with the same types; one left over is an address of
  // its own. The addresses are found through indexes, so that a card of
  // many addresses and labels is matched in time in proportion to them.
  void MatchLabels() {
    std::map<QByteArray, AddressQueue> byGroup, byTypes;
    if (!labels_.empty()) {
      for (size_t i = 0; i < unlabelled_.size(); ++i) {
        const VCardProperty& address = *unlabelled_[i].Property;
        if (!address.Group.isEmpty()) byGroup[address.Group].Positions.push_back(i);
        byTypes[TypesKey(address)].Positions.push_back(i);
      }
    }
    std::vector<bool> taken(unlabelled_.size(), false);
    const auto firstFree = [&taken](std::map<QByteArray, AddressQueue>& index, const QByteArray& key) {
      const auto found = index.find(key);
      if (found == index.end()) return std::optional<size_t>();
      AddressQueue& queue = found->second;
      while (queue.Next < queue.Positions.size() && taken[queue.Positions[queue.Next]]) ++queue.Next;
      return queue.Next < queue.Positions.size() ? std::optional<size_t>(queue.Positions[queue.Next]) : std::optional<size_t>();
    };
    for (const PendingLabel& label : labels_) {
      std::optional<size_t> same;
      if (!label.Property->Group.isEmpty()) same = firstFree(byGroup, label.Property->Group);
      if (!same) same = firstFree(byTypes, TypesKey(*label.Property));
      const QString text = Text(*label.Property);
      const QStringList lines = LinesOf(text);
      if (same) {
        if (!text.isEmpty()) {
          contact_.Addresses[unlabelled_[*same].Index].Lines = lines;
          unlabelled_[*same].Labelled = true;
        }
        taken[*same] = true;
      } else if (!IsBlank(text)) {
        contact_.Addresses.push_back({lines, KindOf(*label.Property), label.Property->Preference()});
      }
    }
    for (const PendingAddress& address : unlabelled_)
      if (!address.Labelled) contact_.Addresses[address.Index].Lines = LinesFromParts(*address.Property);
  }

  // The types of a property but PREF, in one order: equal for properties of the same types.
  static QByteArray TypesKey(const VCardProperty& property) {
    if (property.Types().size() == 1 && property.Types().front() != "PREF") return property.Types().front();  // most properties
    QList<QByteArray> types = property.Types();
    types.removeAll("PREF");
    std::sort(types.begin(), types.end());
    return types.join(',');
  }

  void ReadPhone(const VCardProperty& property) {
    ContactPhone phone;
    phone.Number = Text(property);
    if (property.Parameter("VALUE").toLower() == "uri" && phone.Number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
      phone.Number = phone.Number.mid(4);
    if (phone.Number.isEmpty()) return;
    // A label as a parameter of its own, or as Apple writes it, on a line of the same group.
    phone.PhoneName = PlainLabel(ParameterText(property.Parameter("X-ABLABEL"), false));
    if (phone.PhoneName.isEmpty()) phone.PhoneName = GroupLabel(property);
    if (phone.PhoneName.isEmpty()) phone.PhoneName = NameOfType(property, kPhoneNames, std::size(kPhoneNames));
    phone.Preference = property.Preference();
    contact_.Phones.push_back(std::move(phone));
  }

  void ReadExtra(const VCardProperty& property) {
    if (property.IsBinary()) return;
    const QString value = Text(property).trimmed();
    if (value.isEmpty()) return;
    for (const NotesLabel& known : kNotesLabels) {
      if (property.Name != known.Property) continue;
      contact_.Extras.push_back({known.Rank, WithKind(QString::fromLatin1(known.Label), KindOf(property)), value});
      return;
    }
    contact_.Extras.push_back({kNotesOther, QString::fromLatin1(property.Name), value});
  }

  const std::vector<VCardProperty>& properties_;
  bool version21_ = false;
  std::map<QByteArray, QString> groupLabels_;
  std::vector<PendingLabel> labels_;
  std::vector<PendingAddress> unlabelled_;
  QString nameFromN_;
  ImportedContact contact_;
};

bool IsEmpty(const ImportedContact& contact) {
  return IsBlank(contact.Name) && IsBlank(contact.Company) && contact.Addresses.empty() &&
         contact.Phones.empty() && contact.Categories.isEmpty() && IsBlank(contact.Note) &&
         contact.Extras.empty();
}

// The property and its value in any letter case; value is upper case.
bool IsLine(const VCardProperty& property, KnownProperty known, const char* value) {
  return property.Known == known && QByteArrayView(property.Value).trimmed().compare(value, Qt::CaseInsensitive) == 0;
}

// A line that reads like a property whose colon is missing ("FN", "TEL;HOME"),
// in capitals as writers write names: never the continuation of a value
// ("Oslo;;0155" is one).
bool LooksLikeBareProperty(const QByteArray& text) {
  static const QRegularExpression bare(QStringLiteral("^[A-Z0-9-]+(\\.[A-Z0-9-]+)?(;[A-Z0-9=,\"-]*)*$"));
  return bare.match(QString::fromLatin1(text.trimmed())).hasMatch();
}

// Values whose text is made of lines, which writers sometimes break without
// folding them.
bool HoldsLines(const VCardProperty& property) {
  return property.Known == KnownProperty::Adr || property.Known == KnownProperty::Label || property.Known == KnownProperty::Note ||
         property.Parameter("ENCODING").toUpper() == "QUOTED-PRINTABLE" ||
         property.ParameterValues("TYPE").contains("QUOTED-PRINTABLE");
}

// Room for the properties most cards have, so that a card's list grows rarely.
constexpr size_t kUsualProperties = 16;

// Collects the cards of a file, one at a time. A line that is not a property
// is left out (and listed) and its card kept; one that continues the value
// before it joins that value. A card written inside another after AGENT (as
// vCard 2.1 allows) becomes a contact of its own, and the outer card goes on.
class CardCollector {
 public:
  CardCollector(const QString& source, ReadResult& result, const std::function<void(ImportedContact&)>& take)
      : source_(source), result_(result), take_(take) {}

  void Add(VCardProperty&& property) {
    if (IsLine(property, KnownProperty::Begin, "VCARD")) {
      if (!open_.empty() && !StartsAgent()) Skip(QStringLiteral("has no END:VCARD"));
      Open(property.Line);
    } else if (open_.empty()) {
      return;  // text between cards
    } else if (IsLine(property, KnownProperty::End, "VCARD")) {
      Close();
    } else if (property.Name.isEmpty()) {
      AddLoose(property);
    } else {
      const bool agent = IsLine(property, KnownProperty::Agent, "BEGIN:VCARD");
      const int line = property.Line;
      open_.back().LastWasBinary = property.IsBinary();
      open_.back().Properties.push_back(std::move(property));
      if (agent) Open(line);
    }
  }

  void Finish() {
    while (!open_.empty()) Skip(QStringLiteral("has no END:VCARD"));
  }

 private:
  struct OpenCard {
    int FirstLine;
    std::vector<VCardProperty> Properties;
    bool LastWasBinary;
  };

  // AGENT with no value is followed by the card it names.
  bool StartsAgent() const {
    const std::vector<VCardProperty>& properties = open_.back().Properties;
    return !properties.empty() && IsLine(properties.back(), KnownProperty::Agent, "");
  }

  void AddLoose(const VCardProperty& line) {
    OpenCard& card = open_.back();
    if (card.LastWasBinary || line.Value.trimmed().isEmpty()) return;  // the rest of an unfolded picture
    if (!card.Properties.empty() && HoldsLines(card.Properties.back()) && !LooksLikeBareProperty(line.Value)) {
      // A quoted-printable value that ends in an encoded line break goes on as it is.
      VCardProperty& value = card.Properties.back();
      if (!value.Value.toUpper().endsWith("=0A")) value.Value += '\n';
      value.Value += line.Value;
      return;
    }
    result_.Skipped.push_back({source_, line.Line, QStringLiteral("is not a property, left out; its card was kept")});
  }

  void Skip(const QString& reason) {
    result_.Skipped.push_back({source_, open_.back().FirstLine, reason});
    Drop();
  }

  // A card's list of properties is kept for the next card: a list of this
  // size is allocated from the large blocks, which costs more than the card.
  void Open(int line) {
    open_.push_back({line, std::move(spare_), false});
    spare_ = {};
    open_.back().Properties.reserve(kUsualProperties);
  }

  void Drop() {
    spare_ = std::move(open_.back().Properties);
    spare_.clear();
    open_.pop_back();
  }

  void Close() {
    int binaries = 0;
    ImportedContact contact = CardReader(open_.back().Properties).Read(binaries);
    result_.BinaryValuesSkipped += binaries;
    if (IsEmpty(contact)) return Skip(QStringLiteral("holds no contact data"));
    take_(contact);
    Drop();
    if (!open_.empty()) open_.back().LastWasBinary = false;
  }

  const QString& source_;
  ReadResult& result_;
  const std::function<void(ImportedContact&)>& take_;
  std::vector<OpenCard> open_;  // the card being read, after the cards it is written inside
  std::vector<VCardProperty> spare_;
};

}  // namespace

bool LooksLikeVCard(const QByteArray& bytes) {
  const QByteArray text = WithoutByteOrderMark(bytes.left(4096)).trimmed();
  return text.left(11).toUpper() == "BEGIN:VCARD";
}

ReadResult ReadVCards(const QByteArray& bytes, const QString& source) {
  std::vector<ImportedContact> contacts;
  ReadResult result = ReadVCards(bytes, source, [&contacts](ImportedContact& contact) { contacts.push_back(std::move(contact)); });
  result.Contacts = std::move(contacts);
  return result;
}

ReadResult ReadVCards(const QByteArray& bytes, const QString& source, const std::function<void(ImportedContact&)>& take) {
  ReadResult result;
  CardCollector cards(source, result, take);
  ForEachContentLine(WithoutByteOrderMark(bytes), [&cards](VCardProperty& property) { cards.Add(std::move(property)); });
  cards.Finish();
  return result;
}
