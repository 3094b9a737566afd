#include "platform/AnsiText.h"

#include <array>
#include <optional>

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr const char* kCodePage = "windows-1252";

using CharacterTable = std::array<char16_t, 256>;

// The code page has one character for each byte, so the decoder's answer
// for every byte is worked out once; opening a decoder costs far more than
// converting a short field. Nothing when some byte does not decode to
// exactly one character.
const std::optional<CharacterTable>& Characters() {
  static const std::optional<CharacterTable> table = []() -> std::optional<CharacterTable> {
    QStringDecoder decoder(kCodePage);
    CharacterTable characters{};
    for (int code = 0; code < 256; ++code) {
      const char byte = static_cast<char>(code);
      const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
      if (decoder.hasError() || decoded.size() != 1) return std::nullopt;
      characters[static_cast<size_t>(code)] = decoded.front().unicode();
    }
    return characters;
  }();
  return table;
}

// The byte of each character of the code page, -1 for the others; the
// reverse of Characters(), for converting many short values quickly.
using ByteTable = std::array<int16_t, 0x10000>;

const std::optional<ByteTable>& Bytes() {
  static const std::optional<ByteTable> table = []() -> std::optional<ByteTable> {
    const std::optional<CharacterTable>& characters = Characters();
    if (!characters) return std::nullopt;
    ByteTable bytes;
    bytes.fill(-1);
    for (int code = 255; code >= 0; --code) bytes[(*characters)[static_cast<size_t>(code)]] = static_cast<int16_t>(code);
    return bytes;
  }();
  return table;
}

}  // namespace

QString AnsiToQString(const std::string& bytes) {
  const std::optional<CharacterTable>& characters = Characters();
  if (!characters) {
    QStringDecoder decoder(kCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  }
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) *out++ = QChar((*characters)[static_cast<unsigned char>(byte)]);
  return text;
}

bool QStringToAnsi(const QString& text, std::string& bytes) {
  if (const std::optional<ByteTable>& table = Bytes()) {
    bytes.resize(static_cast<size_t>(text.size()));
    bool complete = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const int16_t byte = (*table)[text[i].unicode()];
      complete = complete && byte >= 0;
      bytes[static_cast<size_t>(i)] = static_cast<char>(byte >= 0 ? byte : 26);  // SUB, as the encoder writes
    }
    return complete;
  }
  QStringEncoder encoder(kCodePage);
  const QByteArray encoded = encoder.encode(text);
  bytes.assign(encoded.constData(), static_cast<size_t>(encoded.size()));
  return !encoder.hasError();
}

std::string ToAnsi(const QString& text) {
  std::string bytes;
  if (QStringToAnsi(text, bytes)) return bytes;
  // The encoder writes SUB (26) for what it cannot map; show those as '?'.
  std::string result;
  for (const QChar c : text) {
    std::string one;
    result += QStringToAnsi(QString(c), one) ? one : std::string("?");
  }
  return result;
}

bool IsAnsiRepresentable(const QString& text) {
  std::string ignored;
  return QStringToAnsi(text, ignored);
}
