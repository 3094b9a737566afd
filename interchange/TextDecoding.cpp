#include "interchange/TextDecoding.h"

#include <algorithm>

#include <QStringDecoder>

#include "platform/AnsiText.h"

namespace {

bool IsUtf8Name(const QByteArray& name) { return name == "utf-8" || name == "utf8"; }

bool IsWindows1252Name(const QByteArray& name) {
  return name == "windows-1252" || name == "cp1252" || name == "us-ascii" || name == "ascii";
}

QString DecodeWithCharset(QByteArrayView bytes, const QByteArray& charset, bool& known) {
  const QByteArray name = charset.trimmed().toLower();
  known = true;
  if (IsUtf8Name(name)) return QString::fromUtf8(bytes);
  if (IsWindows1252Name(name)) return TextOfPart(bytes, false);
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
    if (known && !(charset.trimmed().toLower().startsWith("utf") && !bytes.isValidUtf8())) return text;
  }
  return TextOfPart(bytes, bytes.isValidUtf8());
}

SplittableText AsSplittableText(const QByteArray& bytes, const QByteArray& charset) {
  const QByteArray name = charset.trimmed().toLower();
  if (name.isEmpty() || IsUtf8Name(name)) return {bytes, bytes.isValidUtf8()};
  if (IsWindows1252Name(name)) return {bytes, false};
  return {DecodeText(bytes, charset).toUtf8(), true};
}

QString TextOfPart(QByteArrayView part, bool utf8) {
  if (utf8) return QString::fromUtf8(part);
  return AnsiToQString(std::string(part.data(), static_cast<size_t>(part.size())));
}

Utf16Order Utf16OrderOf(QByteArrayView bytes) {
  if (bytes.startsWith("\xFF\xFE")) return Utf16Order::LittleEndian;
  if (bytes.startsWith("\xFE\xFF")) return Utf16Order::BigEndian;
  // Without a mark: most pairs of the start hold a zero byte, always on the
  // same side, and never a zero pair (no text holds NUL characters).
  const qsizetype pairs = std::min<qsizetype>(bytes.size(), 4096) / 2;
  if (pairs < 4) return Utf16Order::None;
  qsizetype zeroFirst = 0, zeroSecond = 0;
  for (qsizetype i = 0; i < pairs; ++i) {
    const bool first = bytes[2 * i] == '\0', second = bytes[2 * i + 1] == '\0';
    if (first && second) return Utf16Order::None;
    zeroFirst += first;
    zeroSecond += second;
  }
  if (zeroFirst == 0 && zeroSecond * 2 >= pairs) return Utf16Order::LittleEndian;
  if (zeroSecond == 0 && zeroFirst * 2 >= pairs) return Utf16Order::BigEndian;
  return Utf16Order::None;
}

QByteArray WithoutByteOrderMark(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return bytes.mid(3);
  const Utf16Order order = Utf16OrderOf(bytes);
  if (order == Utf16Order::None) return bytes;
  QStringDecoder decoder(order == Utf16Order::LittleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
  const bool marked = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
  const QString text = decoder.decode(QByteArrayView(bytes).sliced(marked ? 2 : 0));
  return text.toUtf8();
}

QString WithPlainLineBreaks(QString text) {
  if (!text.contains(QLatin1Char('\r'))) return text;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

void AppendLine(QString& text, const QString& line) {
  if (!text.isEmpty()) text += QLatin1Char('\n');
  text += line;
}
