// How the values of a card become text: structured values split at their
// separators but not at escaped ones, escapes of 3.0 and 2.1, values in
// windows-1252 and in a declared charset whose characters hold the bytes of
// a backslash, folded and quoted-printable lines, every note line, and name
// parts joined and trimmed.
#include <gtest/gtest.h>

#include "support/CaseNames.h"
#include "support/ImportCheck.h"

namespace {

struct ValueCase {
  const char* Name;
  const char* Version;
  std::string Lines;  // the card's lines after VERSION, raw bytes
  KeptRecord Expected;
};

void PrintTo(const ValueCase& c, std::ostream* out) { *out << c.Name; }

class ValueTextTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ValueTextTest, ImportsAsTheCardMeansIt) {
  const std::string card =
      std::string("BEGIN:VCARD\r\nVERSION:") + GetParam().Version + "\r\n" + GetParam().Lines + "END:VCARD\r\n";
  const BookState book = ImportedBook(card, BookEdition::Unicode);
  ASSERT_EQ(book.Records.size(), 1u);
  EXPECT_EQ(Kept(book, book.Records[0]), GetParam().Expected);
}

// In Shift_JIS the second byte of the katakana "so" (83 5C) and of the kanji "hyou" (95 5C) is the byte of a
// backslash: a value in that charset is split and unescaped only once it is decoded.
INSTANTIATE_TEST_SUITE_P(Cards, ValueTextTest, testing::Values(
    ValueCase{"EscapedSeparatorsStayInTheirPart", "3.0",
              "N:O\\,Brien;Mary\\;Ann;;;\r\nORG:Smith\\, Jones & Co.;Sales\r\n",
              {"Mary;Ann O,Brien", "Smith, Jones & Co., Sales", 0, "", {}, {}, ""}},
    ValueCase{"StreetListValuesAndEscapedLineBreaksAreLines", "3.0",
              "FN:Ann Lee\r\nADR;TYPE=HOME:PO Box 7;;1 Main St\\nApt 2,Rear;Springfield;IL;62701;USA\r\n",
              {"Ann Lee", "", 0, "PO Box 7\r\n1 Main St\r\nApt 2\r\nRear\r\nSpringfield, IL 62701\r\nUSA", {}, {}, ""}},
    ValueCase{"CityListValuesAreJoinedWithBlanks", "3.0",
              "FN:Bo Ek\r\nADR:;;Storgatan 1;Upper,Town;;111 22;\r\n",
              {"Bo Ek", "", 0, "Storgatan 1\r\nUpper Town, 111 22", {}, {}, ""}},
    ValueCase{"Version21KeepsBackslashesCommasAndSplitsOnlyAtSemicolons", "2.1",
              "N:Back\\slash;Ann\\;Marie\r\nORG:Smith, Jones & Co.\r\nNOTE:C:\\new\\folder\r\n",
              {"Ann;Marie Back\\slash", "Smith, Jones & Co.", 0, "", {}, {}, "C:\\new\\folder"}},
    ValueCase{"Windows1252BytesWithoutACharset", "3.0",
              "N:M\xFC" "ller\\, Sr.;Jos\xE9;;;\r\nCATEGORIES:Caf\xE9,B\xFC" "ro\r\nNOTE:5\x80 \x93net\x94\r\n",
              {"Jos\xC3\xA9 M\xC3\xBCller, Sr.", "", 0, "", {}, {"B\xC3\xBCro", "Caf\xC3\xA9"},
               "5\xE2\x82\xAC \xE2\x80\x9Cnet\xE2\x80\x9D"}},
    ValueCase{"ListValuesOfANamePartAreJoinedWithBlanksAndPartsTrimmed", "3.0",
              "N:Public ;John;Quinlan,Adam;Mr.,Dr.; Esq.\r\n",
              {"Mr. Dr. John Quinlan Adam Public Esq.", "", 0, "", {}, {}, ""}},
    ValueCase{"EveryNoteLineIsKept", "3.0",
              "FN:Al Bo\r\nNOTE:First\r\nNOTE:Second\r\n",
              {"Al Bo", "", 0, "", {}, {}, "First\r\nSecond"}},
    ValueCase{"DeclaredCharsetWhoseCharactersHoldABackslashByte", "2.1",
              "N;CHARSET=SHIFT_JIS:\x83\x5C\x83\x6A\x81\x5B;\x91\xBE\x98\x59\r\n"
              "ADR;HOME;CHARSET=SHIFT_JIS:;;\x95\x5C\x8E\x51\x93\xB9;\x8D\x60\x8B\xE6;;107;\r\n",
              {"\xE5\xA4\xAA\xE9\x83\x8E \xE3\x82\xBD\xE3\x83\x8B\xE3\x83\xBC", "", 0,
               "\xE8\xA1\xA8\xE5\x8F\x82\xE9\x81\x93\r\n\xE6\xB8\xAF\xE5\x8C\xBA, 107", {}, {}, ""}},
    ValueCase{"FoldedStructuredValue", "3.0",
              "N:Ver\r\n ylong;Na\r\n\tme;;;\r\nTEL;TYPE=CELL:555\r\n -0100\r\n",
              {"Name Verylong", "", 0, "", {{"555-0100", "Mobile"}}, {}, ""}},
    ValueCase{"QuotedPrintableWithLineBreaksAndASoftBreak", "2.1",
              "FN:Eva Berg\r\nNOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Line one=0D=0ALine two=\r\n and r=C3=A9sum=C3=A9\r\n",
              {"Eva Berg", "", 0, "", {}, {}, "Line one\r\nLine two and r\xC3\xA9sum\xC3\xA9"}},
    ValueCase{"EscapedCommaInAGroupName", "3.0",
              "FN:Kim Ro\r\nCATEGORIES:Friends\\, close,Work\r\n",
              {"Kim Ro", "", 0, "", {}, {"Friends, close", "Work"}, ""}}),
    [](const testing::TestParamInfo<ValueCase>& info) { return CaseName(QString::fromLatin1(info.param.Name)); });

}  // namespace
