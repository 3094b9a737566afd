#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/AnsiText.h"

namespace {

TEST(AnsiText, EveryByteIsTheCodePagesCharacterAndComesBackAsItself) {
  std::string bytes;
  for (int code = 0; code < 256; ++code) bytes += static_cast<char>(code);
  const QString text = AnsiToQString(bytes);
  EXPECT_EQ(text, QStringDecoder("windows-1252").decode(QByteArrayView(bytes.data(), 256)));
  EXPECT_EQ(text.size(), 256);
  EXPECT_EQ(text.at(0x80), QChar(0x20AC));  // euro sign
  EXPECT_EQ(ToAnsi(text), bytes);
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToAnsi(QString::fromUtf8("a\xE4\xB8\xAD\xE2\x82\xAC")), "a?\x80");
  EXPECT_FALSE(IsAnsiRepresentable(QString::fromUtf8("\xE4\xB8\xAD")));
  EXPECT_TRUE(IsAnsiRepresentable(QString::fromUtf8("caf\xC3\xA9")));
}

}  // namespace
