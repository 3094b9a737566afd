#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

// The property names the readers tell apart; any other name is Other.
enum class KnownProperty : uint8_t {
  Other, Begin, End, Version, ProdId, Rev, Uid, ClientPidMap, Profile, Name, Source, SortString, XAbUid, XAbLabel,
  XAbAdr, Mailer, Xml, Agent, Fn, N, Org, Kind, XAbShowAs, Adr, Label, Tel, Categories, Note, Photo, Logo, Sound, Key,
};

// One content line of a vCard, unfolded: "group.NAME;PARAM=a,b;BARE:value".
// Names and parameter names are upper case; the value is still raw bytes.
// The value and the parameters share the bytes of the text they were read
// from instead of copying them: that text must stay as it is while the
// property is in use. Storage holds the bytes of a continued line, which the
// reading joined; a caller that keeps a property longer than its text puts
// the text there.
struct VCardProperty {
  QByteArray Group;
  QByteArray Name;
  KnownProperty Known = KnownProperty::Other;
  std::vector<std::pair<QByteArray, QByteArray>> Parameters;  // a bare 2.1 parameter has an empty name
  QByteArray Value;
  int Line = 0;
  QList<QByteArray> TypeValues;  // TYPE values (and bare 2.1 parameters), upper case
  QByteArray Storage;

  // Every value of the named parameter, split at commas (TYPE also takes bare 2.1 parameters).
  QList<QByteArray> ParameterValues(QByteArrayView name) const;
  QByteArray Parameter(QByteArrayView name) const;  // the first value
  // TYPE values, upper case.
  const QList<QByteArray>& Types() const { return TypeValues; }
  bool HasType(QByteArrayView type) const;
  // 1 for the most preferred (PREF=1 or TYPE=PREF), larger for less, 0 when not marked.
  int Preference() const;
  bool IsBinary() const;
};

// The unfolded content lines of vCard text (UTF-8 or single-byte): lines
// continued by a blank or tab are joined, as are quoted-printable values
// broken by a soft line break; lines starting with "#" are comments, left
// out. A line without a colon has an empty Name and
// its text in Value.
// Hands each to take as soon as it is complete, so that a file's lines are
// never all held at once.
void ForEachContentLine(const QByteArray& bytes, const std::function<void(VCardProperty&)>& take);

// A property value as text, decoded from quoted-printable and its charset;
// line breaks become "\n". version21 leaves backslashes but "\;" alone.
QString PropertyText(const VCardProperty& property, bool version21);

// Calls take(component, value, first) for each list value of each component
// of a structured value (N, ADR, ORG), in order: components are split at
// unescaped semicolons, their list values at unescaped commas (not in 2.1);
// first is set for the first value of a component.
void ForEachComponentValue(const VCardProperty& property, bool version21,
                           const std::function<void(size_t component, QString& value, bool first)>& take);

// The list values of a value (CATEGORIES, NICKNAME), split at unescaped commas.
QStringList PropertyList(const VCardProperty& property, bool version21);
