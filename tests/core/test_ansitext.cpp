#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/AnsiText.h"

namespace {

std::string EveryByte() {
  std::string bytes;
  for (int code = 0; code < 256; ++code) bytes += static_cast<char>(code);
  return bytes;
}

TEST(AnsiText, EveryByteBecomesTheCharacterTheCodePageGivesIt) {
  const std::string bytes = EveryByte();
  QStringDecoder decoder("windows-1252");
  ASSERT_TRUE(decoder.isValid());
  const QString expected = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  const QString text = AnsiToQString(bytes);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.at(0), QChar(0));
  EXPECT_EQ(text.at(0x80), QChar(0x20AC));  // euro sign
  EXPECT_EQ(text.at(0x9F), QChar(0x0178));  // capital Y with diaeresis
  EXPECT_EQ(text.at(0xE9), QChar(0x00E9));
}

TEST(AnsiText, TextWithZeroBytesSurvivesTheRoundTrip) {
  const std::string bytes = EveryByte() + std::string("a\0b", 3) + EveryByte();
  const QString text = AnsiToQString(bytes);
  EXPECT_EQ(text.size(), static_cast<qsizetype>(bytes.size()));
  EXPECT_EQ(ToAnsi(text), bytes);
  EXPECT_TRUE(AnsiToQString("").isEmpty());
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  std::string bytes;
  EXPECT_FALSE(QStringToAnsi(QString::fromUtf8("\xE4\xB8\xAD"), bytes));
  EXPECT_EQ(ToAnsi(QString::fromUtf8("a\xE4\xB8\xAD\xE2\x82\xAC")), "a?\x80");
  EXPECT_FALSE(IsAnsiRepresentable(QString::fromUtf8("\xE4\xB8\xAD")));
  EXPECT_TRUE(IsAnsiRepresentable(QString::fromUtf8("caf\xC3\xA9")));
}

}  // namespace
