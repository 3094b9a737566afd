#include "platform/AnsiText.h"

#include <algorithm>
#include <array>

namespace {

constexpr char kSubstitute = 26;

// The characters of the bytes 0x80 to 0x9F; every other byte is the
// character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t CharacterOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : char16_t{byte};
}

// The byte of a character, or -1 when the code page has none.
int ByteOf(char16_t character) {
  if (character < 0x80 || (character >= 0xA0 && character < 0x100)) return character;
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == character) return static_cast<int>(0x80 + i);
  return -1;
}

// The bytes of text; false when a character has no byte.
bool QStringToAnsi(const QString& text, std::string& bytes) {
  bytes.resize(static_cast<size_t>(text.size()));
  bool complete = true;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int byte = ByteOf(text[i].unicode());
    complete = complete && byte >= 0;
    bytes[static_cast<size_t>(i)] = byte >= 0 ? static_cast<char>(byte) : kSubstitute;
  }
  return complete;
}

}  // namespace

QString AnsiToQString(const std::string& bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) *out++ = QChar(CharacterOf(static_cast<unsigned char>(byte)));
  return text;
}

std::string AnsiToUtf8(const std::string& bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) {
    const char16_t c = CharacterOf(static_cast<unsigned char>(byte));
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool Utf8ToAnsi(const std::string& utf8, std::string& bytes) {
  if (IsAscii(utf8)) {  // most text: nothing to convert
    bytes = utf8;
    return true;
  }
  return QStringToAnsi(QString::fromStdString(utf8), bytes);
}

bool IsAnsiCharacter(QChar c) { return ByteOf(c.unicode()) >= 0; }

bool IsAnsiRepresentable(const QString& text) { return std::all_of(text.begin(), text.end(), IsAnsiCharacter); }
