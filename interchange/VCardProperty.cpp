#include "interchange/VCardProperty.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "interchange/TextDecoding.h"

namespace {

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

bool IsEncodingName(const QByteArray& bare) {
  return bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "B" || bare == "8BIT" || bare == "7BIT";
}

bool IsQuotedPrintableLine(QByteArrayView line) {
  const qsizetype colon = IndexOutsideQuotes(line, ':');
  return colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
}

// A name in upper case. The names most cards hold are shared constants, so
// that a card's lines do not allocate a name each.
QByteArray UpperName(QByteArrayView name) {
  static const QByteArray kCommon[] = {"BEGIN", "END", "VERSION", "PRODID", "FN", "N", "ORG", "ADR", "LABEL", "TEL",
                                       "EMAIL", "URL", "TITLE", "CATEGORIES", "NOTE", "UID", "REV", "TYPE"};
  name = name.trimmed();
  char upper[16];
  if (name.size() <= qsizetype(sizeof upper)) {
    for (qsizetype i = 0; i < name.size(); ++i) upper[i] = name[i] >= 'a' && name[i] <= 'z' ? char(name[i] - 32) : name[i];
    for (const QByteArray& common : kCommon)
      if (common.size() == name.size() && std::memcmp(common.constData(), upper, size_t(name.size())) == 0) return common;
  }
  return name.toByteArray().toUpper();
}

VCardProperty ParseContentLine(QByteArrayView line, int number) {
  VCardProperty property;
  property.Line = number;
  const qsizetype colon = IndexOutsideQuotes(line, ':');
  if (colon < 0) {
    property.Value = line.toByteArray();
    return property;
  }
  property.Value = line.sliced(colon + 1).toByteArray();
  if (line.indexOf(';') < 0 || line.indexOf(';') > colon) {  // no parameters: the common case, parsed without splitting
    const QByteArrayView qualified = line.first(colon);
    const qsizetype dot = qualified.indexOf('.');
    if (dot >= 0) property.Group = qualified.first(dot).trimmed().toByteArray().toUpper();
    property.Name = UpperName(qualified.sliced(dot + 1));
    return property;
  }
  const QList<QByteArrayView> head = SplitOutsideQuotes(line.first(colon), ';');
  const QByteArrayView qualified = head.front();
  const qsizetype dot = qualified.indexOf('.');
  property.Group = dot >= 0 ? qualified.first(dot).trimmed().toByteArray().toUpper() : QByteArray();
  property.Name = UpperName(qualified.sliced(dot + 1));
  for (qsizetype i = 1; i < head.size(); ++i) {
    const qsizetype equals = IndexOutsideQuotes(head[i], '=');
    if (equals < 0)
      property.Parameters.emplace_back(QByteArray(), head[i].trimmed().toByteArray().toUpper());
    else
      property.Parameters.emplace_back(UpperName(head[i].first(equals)),
                                       head[i].sliced(equals + 1).toByteArray());
  }
  if (!property.Parameters.empty()) {
    property.TypeValues = property.ParameterValues("TYPE");
    for (QByteArray& type : property.TypeValues) type = std::move(type).toUpper();
  }
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

// Splits at each separator that is not escaped by a backslash into
// components, and each component at the unescaped valueSeparator (when
// given) into values; the pieces keep their escapes.
std::vector<QStringList> SplitUnescaped(const QString& text, QChar separator, std::optional<QChar> valueSeparator) {
  std::vector<QStringList> components;
  components.reserve(static_cast<size_t>(text.count(separator)) + 1);  // at most; allocated once
  components.emplace_back();
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i + 1 < text.size() && text[i] == '\\') {
      ++i;  // the escaped character is never a separator
      continue;
    }
    const bool end = i == text.size();
    if (!end && text[i] != separator && text[i] != valueSeparator) continue;
    components.back() << text.mid(start, i - start);
    start = i + 1;
    if (!end && text[i] == separator) components.emplace_back();
  }
  return components;
}

QString Unescaped(const QString& text, bool version21) {
  if (!text.contains(QLatin1Char('\\'))) return text;
  QString result(text.size(), Qt::Uninitialized);  // never longer than the text
  QChar* out = result.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != '\\' || i + 1 >= text.size()) {
      *out++ = c;
      continue;
    }
    const QChar next = text[i + 1];
    if (next == ';' || (!version21 && (next == ',' || next == '\\' || next == ':'))) {
      *out++ = next;
      ++i;
    } else if (!version21 && (next == 'n' || next == 'N')) {
      *out++ = QLatin1Char('\n');
      ++i;
    } else {
      *out++ = c;
    }
  }
  result.truncate(out - result.constData());
  return result;
}

bool IsQuotedPrintable(const VCardProperty& property) {
  for (const auto& [name, value] : property.Parameters)
    if ((name.isEmpty() && value == "QUOTED-PRINTABLE") ||
        (name == "ENCODING" && Unquoted(value).toUpper() == "QUOTED-PRINTABLE"))
      return true;
  return false;
}

QString DecodedValue(const VCardProperty& property) {
  const QByteArray bytes = IsQuotedPrintable(property) ? QuotedPrintableDecoded(property.Value) : property.Value;
  return WithPlainLineBreaks(DecodeText(bytes, property.Parameter("CHARSET")));
}

// The position of the first line break ("\r" or "\n") from start, or the
// size: found by memchr, which looks at many bytes at a time.
qsizetype LineEnd(const QByteArray& bytes, qsizetype start) {
  const char* const data = bytes.constData();
  const auto* newline = static_cast<const char*>(std::memchr(data + start, '\n', static_cast<size_t>(bytes.size() - start)));
  const qsizetype end = newline ? newline - data : bytes.size();
  const auto* ret = static_cast<const char*>(std::memchr(data + start, '\r', static_cast<size_t>(end - start)));
  return ret ? ret - data : end;
}

}  // namespace

QList<QByteArray> VCardProperty::ParameterValues(QByteArrayView name) const {
  QList<QByteArray> values;
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
  if (Parameters.empty()) return false;
  const QByteArray encoding = Parameter("ENCODING").toUpper();
  for (const auto& [name, value] : Parameters)
    if (name.isEmpty() && (value == "BASE64" || value == "B")) return true;
  return encoding == "B" || encoding == "BASE64" || Parameter("VALUE").toUpper() == "BINARY";
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
  return Unescaped(DecodedValue(property), version21);
}

std::vector<QStringList> PropertyComponents(const VCardProperty& property, bool version21) {
  std::vector<QStringList> components =
      SplitUnescaped(DecodedValue(property), ';', version21 ? std::nullopt : std::optional<QChar>(','));
  for (QStringList& values : components)
    for (QString& value : values) value = Unescaped(value, version21);
  return components;
}

QStringList PropertyList(const VCardProperty& property, bool version21) {
  QStringList values;
  for (const QStringList& piece : SplitUnescaped(DecodedValue(property), ',', std::nullopt))
    values << Unescaped(piece.front(), version21);
  return values;
}
