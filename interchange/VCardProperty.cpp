#include "interchange/VCardProperty.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include <QVarLengthArray>

#include "interchange/TextDecoding.h"

namespace {

// Position of the first c, or -1; memchr looks at many bytes at a time.
qsizetype IndexOf(QByteArrayView text, char c) {
  const auto* found = static_cast<const char*>(std::memchr(text.data(), c, static_cast<size_t>(text.size())));
  return found ? found - text.data() : -1;
}

// Position of the first c outside double quotes, or -1.
qsizetype IndexOutsideQuotes(QByteArrayView text, char c, qsizetype from = 0) {
  bool quoted = false;
  for (qsizetype i = from; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    else if (text[i] == c && !quoted) return i;
  }
  return -1;
}

QList<QByteArrayView> SplitOutsideQuotes(QByteArrayView text, char separator) {
  QList<QByteArrayView> parts;
  qsizetype start = 0;
  for (qsizetype at = IndexOutsideQuotes(text, separator); at >= 0; at = IndexOutsideQuotes(text, separator, start)) {
    parts << text.sliced(start, at - start);
    start = at + 1;
  }
  parts << text.sliced(start);
  return parts;
}

QByteArray Unquoted(QByteArray value) {
  value = value.trimmed();
  if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) return value.mid(1, value.size() - 2);
  return value;
}

// The value equals one of the upper-case words, in any letter case.
bool IsOneOf(QByteArrayView value, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [value](const char* word) { return value.compare(word, Qt::CaseInsensitive) == 0; });
}

bool IsEncodingName(const QByteArray& bare) {
  return bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "B" || bare == "8BIT" || bare == "7BIT";
}

bool IsQuotedPrintableLine(QByteArrayView line) {
  const qsizetype colon = IndexOutsideQuotes(line, ':');
  return colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
}

// An upper-case ASCII name and a name in any letter case, of the same length.
bool SameIgnoringCase(const QByteArray& upper, QByteArrayView name) {
  for (qsizetype i = 0; i < name.size(); ++i)
    if (upper[i] != (name[i] >= 'a' && name[i] <= 'z' ? char(name[i] - 32) : name[i])) return false;
  return true;
}

struct CommonName {
  QByteArray Text;
  KnownProperty Known;
};

// The property and parameter names most cards hold, by length, so that a
// card's lines neither allocate a name each nor compare it with every one.
class CommonNames {
 public:
  CommonNames() {
    // The most frequent first: a name is compared with those of its length in this order.
    const std::pair<const char*, KnownProperty> names[] = {
        {"BEGIN", KnownProperty::Begin}, {"END", KnownProperty::End}, {"VERSION", KnownProperty::Version},
        {"FN", KnownProperty::Fn}, {"N", KnownProperty::N}, {"TEL", KnownProperty::Tel},
        {"ADR", KnownProperty::Adr}, {"ORG", KnownProperty::Org}, {"TYPE", KnownProperty::Other},
        {"NOTE", KnownProperty::Note}, {"LABEL", KnownProperty::Label}, {"EMAIL", KnownProperty::Other},
        {"PRODID", KnownProperty::ProdId}, {"CATEGORIES", KnownProperty::Categories}, {"UID", KnownProperty::Uid},
        {"REV", KnownProperty::Rev}, {"URL", KnownProperty::Other}, {"PREF", KnownProperty::Other},
        {"KIND", KnownProperty::Kind}, {"TITLE", KnownProperty::Other}, {"X-ABSHOWAS", KnownProperty::XAbShowAs},
        {"X-ABLABEL", KnownProperty::XAbLabel}, {"CHARSET", KnownProperty::Other},
        {"ENCODING", KnownProperty::Other}, {"VALUE", KnownProperty::Other}, {"PHOTO", KnownProperty::Photo},
        {"LOGO", KnownProperty::Logo}, {"SOUND", KnownProperty::Sound}, {"KEY", KnownProperty::Key},
        {"CLIENTPIDMAP", KnownProperty::ClientPidMap}, {"PROFILE", KnownProperty::Profile},
        {"NAME", KnownProperty::Name}, {"SOURCE", KnownProperty::Source}, {"SORT-STRING", KnownProperty::SortString},
        {"X-ABUID", KnownProperty::XAbUid}, {"X-ABADR", KnownProperty::XAbAdr}, {"MAILER", KnownProperty::Mailer},
        {"XML", KnownProperty::Xml}, {"AGENT", KnownProperty::Agent},
    };
    // The names share the bytes of their literals: copies of them never count references.
    for (const auto& [text, known] : names) {
      const QByteArray name = QByteArray::fromRawData(text, static_cast<qsizetype>(std::strlen(text)));
      byLength_[static_cast<size_t>(name.size())].push_back({name, known});
    }
  }

  // The name in upper case, and what it is.
  CommonName Find(QByteArrayView name) const {
    if (name.size() >= kLongest) return {name.toByteArray().toUpper(), KnownProperty::Other};
    for (const CommonName& common : byLength_[static_cast<size_t>(name.size())])
      if (SameIgnoringCase(common.Text, name)) return common;
    return {name.toByteArray().toUpper(), KnownProperty::Other};
  }

 private:
  static constexpr qsizetype kLongest = 16;
  std::vector<CommonName> byLength_[kLongest];
};

CommonName UpperName(QByteArrayView name) {
  static const CommonNames names;
  return names.Find(name.trimmed());
}

// A part of a property's text that shares its bytes.
QByteArray Slice(QByteArrayView part) { return QByteArray::fromRawData(part.data(), part.size()); }

void ParseParameter(VCardProperty& property, QByteArrayView parameter) {
  const qsizetype equals = IndexOutsideQuotes(parameter, '=');
  if (equals < 0)
    property.Parameters.emplace_back(QByteArray(), parameter.trimmed().toByteArray().toUpper());
  else
    property.Parameters.emplace_back(UpperName(parameter.first(equals)).Text, Slice(parameter.sliced(equals + 1)));
}

// TYPE values in upper case; most are written so already and are kept as they are.
QList<QByteArray> UpperTypes(const VCardProperty& property) {
  QList<QByteArray> types = property.ParameterValues("TYPE");
  for (QByteArray& type : types)
    if (std::any_of(type.cbegin(), type.cend(), [](char c) { return c >= 'a' && c <= 'z'; })) type = type.toUpper();
  return types;
}

VCardProperty ParseContentLine(QByteArrayView line, int number) {
  VCardProperty property;
  property.Line = number;
  const qsizetype colon = IndexOutsideQuotes(line, ':');
  if (colon < 0) {
    property.Value = Slice(line);
    return property;
  }
  property.Value = Slice(line.sliced(colon + 1));
  qsizetype semicolon = IndexOutsideQuotes(line.first(colon), ';');
  const QByteArrayView qualified = line.first(semicolon < 0 ? colon : semicolon);
  const qsizetype dot = IndexOf(qualified, '.');
  if (dot >= 0) property.Group = qualified.first(dot).trimmed().toByteArray().toUpper();
  const CommonName name = UpperName(qualified.sliced(dot + 1));
  property.Name = name.Text;
  property.Known = name.Known;
  while (semicolon >= 0) {
    const qsizetype next = IndexOutsideQuotes(line.first(colon), ';', semicolon + 1);
    ParseParameter(property, line.sliced(semicolon + 1, (next < 0 ? colon : next) - semicolon - 1));
    semicolon = next;
  }
  if (!property.Parameters.empty()) property.TypeValues = UpperTypes(property);
  return property;
}

QByteArray QuotedPrintableDecoded(const QByteArray& value) {
  QByteArray bytes;
  bytes.reserve(value.size());
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == '=' && i + 2 < value.size()) {
      bool ok = false;
      const int code = value.mid(i + 1, 2).toInt(&ok, 16);
      if (ok) {
        bytes += static_cast<char>(code);
        i += 2;
        continue;
      }
    }
    bytes += value[i];
  }
  return bytes;
}

// Calls take(component, part, first) for each part of text: parts end at
// each separator and valueSeparator that no backslash escapes, components at
// each separator; first is set for the first part of a component. The parts
// keep their escapes.
template <class Take>
void SplitUnescaped(QByteArrayView text, char separator, std::optional<char> valueSeparator, Take take) {
  size_t component = 0;
  bool first = true;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i + 1 < text.size() && text[i] == '\\') {
      ++i;  // the escaped character is never a separator
      continue;
    }
    const bool end = i == text.size();
    if (!end && text[i] != separator && text[i] != valueSeparator) continue;
    take(component, text.sliced(start, i - start), first);
    start = i + 1;
    first = end || text[i] == separator;
    if (first) ++component;
  }
}

// The text of a part of a value, every line break made "\n" and its escapes
// undone; version21 leaves backslashes but "\;" alone.
QString UnescapedText(QByteArrayView part, bool utf8, bool version21) {
  if (IndexOf(part, '\\') < 0 && IndexOf(part, '\r') < 0) return TextOfPart(part, utf8);
  QVarLengthArray<char, 512> plain(part.size());  // never longer than the part
  char* out = plain.data();
  for (qsizetype i = 0; i < part.size(); ++i) {
    const char c = part[i];
    if (c == '\r') {
      *out++ = '\n';
      if (i + 1 < part.size() && part[i + 1] == '\n') ++i;
    } else if (c != '\\' || i + 1 >= part.size()) {
      *out++ = c;
    } else if (const char next = part[i + 1]; next == ';' || (!version21 && (next == ',' || next == '\\' || next == ':'))) {
      *out++ = next;
      ++i;
    } else if (!version21 && (next == 'n' || next == 'N')) {
      *out++ = '\n';
      ++i;
    } else {
      *out++ = c;
    }
  }
  return TextOfPart(QByteArrayView(plain.data(), out - plain.data()), utf8);
}

bool IsQuotedPrintable(const VCardProperty& property) {
  for (const auto& [name, value] : property.Parameters)
    if ((name.isEmpty() && value == "QUOTED-PRINTABLE") ||
        (name == "ENCODING" && Unquoted(value).toUpper() == "QUOTED-PRINTABLE"))
      return true;
  return false;
}

// The value's bytes decoded from quoted-printable, ready to split.
SplittableText ValueText(const VCardProperty& property) {
  const QByteArray bytes = IsQuotedPrintable(property) ? QuotedPrintableDecoded(property.Value) : property.Value;
  return AsSplittableText(bytes, property.Parameter("CHARSET"));
}

// The position of the first line break ("\r" or "\n") from start, or the size.
qsizetype LineEnd(QByteArrayView bytes, qsizetype start) {
  const QByteArrayView rest = bytes.sliced(start);
  const qsizetype newline = IndexOf(rest, '\n');
  const QByteArrayView line = newline < 0 ? rest : rest.first(newline);
  const qsizetype ret = IndexOf(line, '\r');
  return start + (ret < 0 ? line.size() : ret);
}

}  // namespace

QList<QByteArray> VCardProperty::ParameterValues(QByteArrayView name) const {
  QList<QByteArray> values;
  values.reserve(static_cast<qsizetype>(Parameters.size()));  // one value each, as most are written
  for (const auto& [parameter, value] : Parameters) {
    if (QByteArrayView(parameter) == name) {
      // TYPE=a,b and TYPE="a,b" alike
      if (!value.contains(',') && !value.contains('"')) {
        values << value.trimmed();
        continue;
      }
      for (const QByteArrayView one : SplitOutsideQuotes(value, ','))
        for (const QByteArray& part : Unquoted(one.toByteArray()).split(',')) values << part.trimmed();
    } else if (parameter.isEmpty() && name == QByteArrayView("TYPE") && !IsEncodingName(value)) {
      values << value;
    }
  }
  return values;
}

QByteArray VCardProperty::Parameter(QByteArrayView name) const {
  for (const auto& [parameter, value] : Parameters)
    if (QByteArrayView(parameter) == name) return Unquoted(value);
  return {};
}

bool VCardProperty::HasType(QByteArrayView type) const {
  return std::any_of(TypeValues.begin(), TypeValues.end(), [type](const QByteArray& value) { return QByteArrayView(value) == type; });
}

int VCardProperty::Preference() const {
  bool ok = false;
  if (Parameters.empty()) return 0;
  const int pref = Parameter("PREF").toInt(&ok);
  if (ok && pref > 0) return pref;
  return HasType("PREF") ? 1 : 0;
}

bool VCardProperty::IsBinary() const {
  qsizetype start = 0;
  while (start < Value.size() && (Value[start] == ' ' || Value[start] == '\t')) ++start;
  const QByteArrayView value = QByteArrayView(Value).sliced(start);
  if (value.size() >= 5 && (value[0] | 0x20) == 'd' && value.first(5).compare("data:", Qt::CaseInsensitive) == 0) return true;
  // A bare BASE64 or B, the first ENCODING B or BASE64, or the first VALUE BINARY.
  bool encodingSeen = false, valueSeen = false;
  for (const auto& [name, value] : Parameters) {
    if (name.isEmpty()) {
      if (value == "BASE64" || value == "B") return true;
    } else if (!encodingSeen && name == "ENCODING") {
      encodingSeen = true;
      if (IsOneOf(Unquoted(value), {"B", "BASE64"})) return true;
    } else if (!valueSeen && name == "VALUE") {
      valueSeen = true;
      if (IsOneOf(Unquoted(value), {"BINARY"})) return true;
    }
  }
  return false;
}

void ForEachContentLine(const QByteArray& bytes, const std::function<void(VCardProperty&)>& take) {
  QByteArrayView current;  // the line being collected: a slice of bytes until it is continued
  QByteArray joined;       // a continued line, which current then shows
  bool continued = false;
  int currentNumber = 0;
  bool open = false;
  const auto flush = [&] {
    if (!open) return;
    VCardProperty property = ParseContentLine(current, currentNumber);
    // A continued line's joined bytes go to its property: the next continued line is joined anew.
    if (continued) property.Storage = std::exchange(joined, {});
    take(property);
    open = false;
  };
  // current's first kept bytes followed by more
  const auto join = [&](qsizetype kept, QByteArrayView more) {
    if (continued) joined.truncate(kept);
    else joined = current.first(kept).toByteArray();
    continued = true;
    joined += more;
    current = joined;
  };
  qsizetype start = 0;
  for (int number = 1; start <= bytes.size(); ++number) {
    const qsizetype end = LineEnd(bytes, start);
    const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
    start = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
    if (line.isEmpty()) {
      flush();
    } else if (open && current.endsWith('=') && IsQuotedPrintableLine(current)) {
      join(current.size() - 1, line);  // a quoted-printable soft line break
    } else if (open && (line[0] == ' ' || line[0] == '\t')) {
      join(current.size(), line.sliced(1));
    } else if (line[0] == '#') {
      flush();  // a comment line, as some phones write them
    } else {
      flush();
      current = line;
      continued = false;
      currentNumber = number;
      open = true;
    }
  }
  flush();
}

QString PropertyText(const VCardProperty& property, bool version21) {
  const SplittableText value = ValueText(property);
  return UnescapedText(value.Bytes, value.Utf8, version21);
}

void ForEachComponentValue(const VCardProperty& property, bool version21,
                           const std::function<void(size_t, QString&, bool)>& take) {
  const SplittableText value = ValueText(property);
  SplitUnescaped(value.Bytes, ';', version21 ? std::nullopt : std::optional<char>(','),
                 [&](size_t component, QByteArrayView part, bool first) {
                   QString text = UnescapedText(part, value.Utf8, version21);
                   take(component, text, first);
                 });
}

QStringList PropertyList(const VCardProperty& property, bool version21) {
  const SplittableText value = ValueText(property);
  QStringList values;
  SplitUnescaped(value.Bytes, ',', std::nullopt,
                 [&](size_t, QByteArrayView part, bool) { values << UnescapedText(part, value.Utf8, version21); });
  return values;
}
