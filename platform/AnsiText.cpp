#include "platform/AnsiText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodePage = "windows-1252";
}

QString AnsiToQString(const std::string& bytes) {
  QStringDecoder decoder(kCodePage);
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool QStringToAnsi(const QString& text, std::string& bytes) {
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
