#include "interchange/VCardReader.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>

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

// Properties that hold nothing for the user (identifiers, revision stamps),
// or whose content another property already brings.
const QList<QByteArray> kIgnored = {"BEGIN", "END", "VERSION", "PRODID", "REV", "UID", "CLIENTPIDMAP", "PROFILE",
                                    "NAME", "SOURCE", "SORT-STRING", "X-ABUID", "X-ABLABEL", "X-ABADR", "MAILER",
                                    "XML", "AGENT"};

struct TypeName {
  const char* Type;
  const char* Name;
};

// Phone names by TYPE, the first present wins: any fax is a "Fax".
constexpr TypeName kPhoneNames[] = {{"FAX", "Fax"},     {"CELL", "Mobile"}, {"PAGER", "Pager"},
                                    {"CAR", "Car Phone"}, {"HOME", "Home"}, {"WORK", "Work"}};
constexpr TypeName kKinds[] = {{"HOME", "Home"}, {"WORK", "Work"}, {"OTHER", "Other"}};

QString NameOfType(const QList<QByteArray>& types, const TypeName* table, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (types.contains(table[i].Type)) return QString::fromLatin1(table[i].Name);
  return {};
}


QString WithKind(const QString& label, const QString& kind) {
  return kind.isEmpty() ? label : label + QStringLiteral(" (") + kind + QLatin1Char(')');
}

// A LABEL parameter's text: RFC 6868 carets, then backslash escapes.
QString LabelParameterText(const QByteArray& raw) {
  QString text = DecodeText(raw);
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '^' && i + 1 < text.size()) {
      const QChar next = text[i + 1];
      if (next == 'n' || next == 'N') { plain += '\n'; ++i; continue; }
      if (next == '^') { plain += '^'; ++i; continue; }
      if (next == '\'') { plain += '"'; ++i; continue; }
    }
    if (text[i] == '\\' && i + 1 < text.size()) {
      const QChar next = text[i + 1];
      plain += (next == 'n' || next == 'N') ? QChar('\n') : next;
      ++i;
      continue;
    }
    plain += text[i];
  }
  return plain;
}

QStringList LinesOf(const QString& text) { return WithPlainLineBreaks(text).split('\n'); }

// One card's properties turned into a contact.
class CardReader {
 public:
  explicit CardReader(const std::vector<VCardProperty>& properties) : properties_(properties) {
    for (const VCardProperty& property : properties)
      if (property.Name == "VERSION") version21_ = property.Value.trimmed() == "2.1";
    for (const VCardProperty& property : properties)
      if (property.Name == "X-ABLABEL" && !property.Group.isEmpty())
        groupLabels_[property.Group] = PlainLabel(Text(property));
  }

  ImportedContact Read(int& binaries) {
    QString fn;
    bool hasPersonalName = false;
    for (const VCardProperty& property : properties_) {
      const QByteArray& name = property.Name;
      if (name == "FN") {
        fn = Text(property);
      } else if (name == "N") {
        nameFromN_ = NameFromComponents(PropertyComponents(property, version21_));
        hasPersonalName = !nameFromN_.trimmed().isEmpty();
      } else if (name == "ORG") {
        QStringList units;
        for (const QStringList& unit : PropertyComponents(property, version21_))
          if (!unit.join(QStringLiteral(", ")).trimmed().isEmpty()) units << unit.join(QStringLiteral(", "));
        contact_.Company = units.join(QStringLiteral(", "));
      } else if (name == "KIND") {
        const QString kind = Text(property).trimmed().toLower();
        if (kind == QLatin1String("org") || kind == QLatin1String("organization")) contact_.IsBusiness = true;
      } else if (name == "X-ABSHOWAS") {
        if (Text(property).trimmed().compare(QLatin1String("COMPANY"), Qt::CaseInsensitive) == 0)
          contact_.IsBusiness = true;
      } else if (name == "ADR") {
        ReadAddress(property);
      } else if (name == "LABEL") {
        labels_.push_back({&property});
      } else if (name == "TEL") {
        ReadPhone(property);
      } else if (name == "CATEGORIES") {
        for (const QString& category : PropertyList(property, version21_))
          if (!category.trimmed().isEmpty()) contact_.Categories << category.trimmed();
      } else if (name == "NOTE") {
        AppendLine(contact_.Note, Text(property));
      } else if (property.IsBinary() && (name == "PHOTO" || name == "LOGO" || name == "SOUND" || name == "KEY")) {
        ++binaries;
      } else if (!kIgnored.contains(name) && !name.isEmpty()) {
        ReadExtra(property);
      }
    }
    MatchLabels();
    contact_.Name = fn.isEmpty() ? nameFromN_ : fn;
    contact_.HasPersonalName =
        hasPersonalName || !(fn.trimmed().isEmpty() || fn.trimmed() == contact_.Company.trimmed());
    return contact_;
  }

 private:
  struct PendingLabel {
    const VCardProperty* Property;
  };
  struct PendingAddress {
    size_t Index;
    const VCardProperty* Property;
  };

  QString Text(const VCardProperty& property) const { return PropertyText(property, version21_); }

  QString GroupLabel(const VCardProperty& property) const {
    const auto found = groupLabels_.find(property.Group);
    return found == groupLabels_.end() || property.Group.isEmpty() ? QString() : found->second;
  }

  QString KindOf(const VCardProperty& property) const {
    const QString label = GroupLabel(property);
    return label.isEmpty() ? NameOfType(property.Types(), kKinds, std::size(kKinds)) : label;
  }

  // N is family;given;additional;prefix;suffix.
  static QString NameFromComponents(const std::vector<QStringList>& n) {
    const auto part = [&](size_t i) { return i < n.size() ? n[i].join(' ') : QString(); };
    return ComposeName({part(3), part(1), part(2), part(0), part(4)});
  }

  void ReadAddress(const VCardProperty& property) {
    ContactAddress address;
    address.Kind = KindOf(property);
    address.Preference = property.Preference();
    const QByteArray label = property.Parameter("LABEL");
    if (!label.isEmpty()) {
      address.Lines = LinesOf(LabelParameterText(label));
    } else {
      const std::vector<QStringList> parts = PropertyComponents(property, version21_);
      const auto part = [&](size_t i) { return i < parts.size() ? parts[i] : QStringList(); };
      PostalParts postal;
      for (size_t i : {0, 1, 2})
        for (const QString& street : part(i)) postal.Street << LinesOf(street);
      postal.City = part(3).join(' ');
      postal.Region = part(4).join(' ');
      postal.Postcode = part(5).join(' ');
      postal.Country = part(6).join(' ');
      address.Lines = PostalLines(postal);
      unlabelled_.push_back({contact_.Addresses.size(), &property});
    }
    contact_.Addresses.push_back(address);
  }

  // A LABEL property gives the lines of the address of its group, else of
  // the first address with the same types; one left over is an address of
  // its own. The addresses are found through indexes, so that a card of
  // many addresses and labels is matched in time in proportion to them.
  void MatchLabels() {
    std::map<QByteArray, std::deque<size_t>> byGroup, byTypes;  // positions in unlabelled_, in order
    for (size_t i = 0; i < unlabelled_.size(); ++i) {
      const VCardProperty& address = *unlabelled_[i].Property;
      if (!address.Group.isEmpty()) byGroup[address.Group].push_back(i);
      byTypes[TypesKey(address)].push_back(i);
    }
    std::vector<bool> taken(unlabelled_.size(), false);
    const auto firstFree = [&taken](std::map<QByteArray, std::deque<size_t>>& index, const QByteArray& key) {
      const auto found = index.find(key);
      if (found == index.end()) return std::optional<size_t>();
      std::deque<size_t>& queue = found->second;
      while (!queue.empty() && taken[queue.front()]) queue.pop_front();
      return queue.empty() ? std::optional<size_t>() : std::optional<size_t>(queue.front());
    };
    for (const PendingLabel& label : labels_) {
      std::optional<size_t> same;
      if (!label.Property->Group.isEmpty()) same = firstFree(byGroup, label.Property->Group);
      if (!same) same = firstFree(byTypes, TypesKey(*label.Property));
      const QString text = Text(*label.Property);
      const QStringList lines = LinesOf(text);
      if (same) {
        if (!text.isEmpty()) contact_.Addresses[unlabelled_[*same].Index].Lines = lines;
        taken[*same] = true;
      } else if (!text.trimmed().isEmpty()) {
        contact_.Addresses.push_back({lines, KindOf(*label.Property), label.Property->Preference()});
      }
    }
  }

  // The types of a property but PREF, in one order: equal for properties of the same types.
  static QByteArray TypesKey(const VCardProperty& property) {
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
    phone.PhoneName = GroupLabel(property);
    if (phone.PhoneName.isEmpty()) phone.PhoneName = NameOfType(property.Types(), kPhoneNames, std::size(kPhoneNames));
    if (phone.PhoneName.isEmpty()) phone.PhoneName = QStringLiteral("Other");
    phone.Preference = property.Preference();
    contact_.Phones.push_back(phone);
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
  return contact.Name.trimmed().isEmpty() && contact.Company.trimmed().isEmpty() && contact.Addresses.empty() &&
         contact.Phones.empty() && contact.Categories.isEmpty() && contact.Note.trimmed().isEmpty() &&
         contact.Extras.empty();
}

bool IsLine(const VCardProperty& property, const char* name, const char* value) {
  return property.Name == name && property.Value.trimmed().toUpper() == value;
}

// Collects the cards of a file, one at a time.
class CardCollector {
 public:
  CardCollector(const QString& source, ReadResult& result) : source_(source), result_(result) {}

  void Add(const VCardProperty& property) {
    if (nestedDepth_ > 0) {  // a 2.1 AGENT card inside this one
      if (IsLine(property, "BEGIN", "VCARD")) ++nestedDepth_;
      if (IsLine(property, "END", "VCARD")) --nestedDepth_;
      return;
    }
    if (IsLine(property, "BEGIN", "VCARD")) {
      if (open_ && !properties_.empty() && properties_.back().Name == "AGENT" && properties_.back().Value.trimmed().isEmpty()) {
        nestedDepth_ = 1;
        return;
      }
      if (open_) Skip(QStringLiteral("has no END:VCARD"));
      Open(property.Line);
    } else if (!open_) {
      return;  // text between cards
    } else if (IsLine(property, "END", "VCARD")) {
      Close();
    } else if (property.Name.isEmpty() && !(lastWasBinary_ || property.Value.trimmed().isEmpty())) {
      if (broken_.isEmpty()) broken_ = QStringLiteral("line %1 is not a property").arg(property.Line);
    } else if (!property.Name.isEmpty()) {
      lastWasBinary_ = property.IsBinary();
      properties_.push_back(property);
    }
  }

  void Finish() {
    if (open_) Skip(QStringLiteral("has no END:VCARD"));
  }

 private:
  void Open(int line) {
    open_ = true;
    firstLine_ = line;
    properties_.clear();
    broken_.clear();
    lastWasBinary_ = false;
  }

  void Skip(const QString& reason) {
    result_.Skipped.push_back({source_, firstLine_, reason});
    open_ = false;
  }

  void Close() {
    if (!broken_.isEmpty()) return Skip(broken_);
    int binaries = 0;
    ImportedContact contact = CardReader(properties_).Read(binaries);
    result_.BinaryValuesSkipped += binaries;
    if (IsEmpty(contact)) return Skip(QStringLiteral("holds no contact data"));
    result_.Contacts.push_back(std::move(contact));
    open_ = false;
  }

  const QString& source_;
  ReadResult& result_;
  bool open_ = false;
  int firstLine_ = 0;
  int nestedDepth_ = 0;
  bool lastWasBinary_ = false;
  QString broken_;
  std::vector<VCardProperty> properties_;
};

}  // namespace

bool LooksLikeVCard(const QByteArray& bytes) {
  const QByteArray text = WithoutByteOrderMark(bytes.left(4096)).trimmed();
  return text.left(11).toUpper() == "BEGIN:VCARD";
}

ReadResult ReadVCards(const QByteArray& bytes, const QString& source) {
  ReadResult result;
  CardCollector cards(source, result);
  for (const VCardProperty& property : ContentLines(WithoutByteOrderMark(bytes))) cards.Add(property);
  cards.Finish();
  return result;
}
