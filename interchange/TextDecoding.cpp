#include "interchange/TextDecoding.h"

#include <QStringDecoder>

#include "platform/AnsiText.h"

namespace {

bool IsValidUtf8(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder.decode(bytes);
  return !decoder.hasError();
}

QString DecodeWithCharset(QByteArrayView bytes, const QByteArray& charset, bool& known) {
  const QByteArray name = charset.trimmed().toLower();
  known = true;
  if (name == "utf-8" || name == "utf8") return QString::fromUtf8(bytes);
  if (name == "windows-1252" || name == "cp1252" || name == "us-ascii" || name == "ascii")
    return AnsiToQString(std::string(bytes.data(), static_cast<size_t>(bytes.size())));
  QStringDecoder decoder(name.constData());
  known = decoder.isValid();
  return known ? decoder.decode(bytes) : QString();
}

}  // namespace

QString DecodeText(QByteArrayView bytes, const QByteArray& charset) {
  if (!charset.isEmpty()) {
    bool known = false;
    const QString text = DecodeWithCharset(bytes, charset, known);
    // A declared charset that the bytes plainly are not (UTF-8 declared,
    // windows-1252 written) falls through to the guess below.
    if (known && !(charset.trimmed().toLower().startsWith("utf") && !IsValidUtf8(bytes))) return text;
  }
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes);
  return AnsiToQString(std::string(bytes.data(), static_cast<size_t>(bytes.size())));
}

QByteArray WithoutByteOrderMark(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return bytes.mid(3);
  const bool littleEndian = bytes.startsWith("\xFF\xFE");
  if (littleEndian || bytes.startsWith("\xFE\xFF")) {
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString text = decoder.decode(QByteArrayView(bytes).sliced(2));
    return text.toUtf8();
  }
  return bytes;
}

QString WithPlainLineBreaks(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

void AppendLine(QString& text, const QString& line) {
  if (!text.isEmpty()) text += QLatin1Char('\n');
  text += line;
}
