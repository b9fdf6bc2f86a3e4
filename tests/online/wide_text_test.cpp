#include "online/wide_text.h"

#include <gtest/gtest.h>

#include "online/json.h"

namespace {

TEST(WideText, Utf8WidensToUtf16) {
  EXPECT_EQ(WidenBytes("v.0.14"), u"v.0.14");
  EXPECT_EQ(WidenBytes("\xD0\x92\xD1\x8B\xD1\x88\xD0\xBB\xD0\xB0"), u"Вышла");
  EXPECT_EQ(WidenBytes("\xE2\x82\xAC"), u"\u20ac");
  EXPECT_EQ(WidenBytes("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
  EXPECT_EQ(WidenBytes(""), u"");
}

TEST(WideText, BytesOutsideValidUtf8WidenAsTheirOwnValue) {
  EXPECT_EQ(WidenBytes("caf\xE9"), u"caf\u00e9");                             // Latin-1
  EXPECT_EQ(WidenBytes("\xC2"), u"\u00c2");                                   // cut sequence
  EXPECT_EQ(WidenBytes("\xC0\xAF"), (std::u16string{0xC0, 0xAF}));            // overlong '/'
  EXPECT_EQ(WidenBytes("\xED\xA0\x80"), (std::u16string{0xED, 0xA0, 0x80}));  // surrogate
  EXPECT_EQ(WidenBytes("\xF4\x90\x80\x80"), (std::u16string{0xF4, 0x90, 0x80, 0x80}));
  EXPECT_EQ(WidenBytes("\xE2\x82"
                       "A"),
            (std::u16string{0xE2, 0x82, u'A'}));
  EXPECT_EQ(WidenBytes("\xFF\xFE"), (std::u16string{0xFF, 0xFE}));
}

TEST(WideText, NarrowingTheWidenedSingleByteTextGivesItsBytesBack) {
  // What StringField does to a member: Latin-1 and ASCII survive the round.
  std::string bytes;
  for (int b = 1; b < 256; ++b) {
    if (b != '"' && b != '\\' && b >= 0x20) bytes += static_cast<char>(b);
  }
  // Single bytes that do not form UTF-8 sequences with their neighbours.
  std::string spaced;
  for (const char c : bytes) {
    spaced += c;
    spaced += ' ';
  }
  const std::u16string document = u"{\"v\":\"" + WidenBytes(spaced) + u"\"}";
  const auto value = JsonParse(document.c_str());
  ASSERT_TRUE(value);
  EXPECT_EQ(StringField(value->AsObject(), u"v"), spaced);
}

}  // namespace
