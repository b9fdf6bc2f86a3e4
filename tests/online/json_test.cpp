#include "online/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::unique_ptr<JSONValue> Parse(const std::u16string& text) { return JsonParse(text.c_str()); }

double NumberOf(const std::u16string& text) {
  const auto value = Parse(text);
  EXPECT_TRUE(value && value->IsNumber()) << "not a number";
  return value ? value->AsNumber() : NAN;
}

std::u16string Nested(int depth, char16_t open, char16_t close) {
  return std::u16string(static_cast<std::size_t>(depth), open) +
         std::u16string(static_cast<std::size_t>(depth), close);
}

// --- The document as a whole ---------------------------------------------

TEST(JsonDocument, EmptyOrBlankTextGivesNoValue) {
  EXPECT_FALSE(Parse(u""));
  EXPECT_FALSE(Parse(u" \t\r\n "));
  EXPECT_FALSE(JsonParse(nullptr));
}

TEST(JsonDocument, AnythingButWhitespaceAfterTheValueGivesNoValue) {
  EXPECT_FALSE(Parse(u"[] []"));
  EXPECT_FALSE(Parse(u"1 2"));
  EXPECT_FALSE(Parse(u"{\"a\":\"b\"}x"));
  EXPECT_FALSE(Parse(u"\"a\"\"b\""));
  ASSERT_TRUE(Parse(u" \r\n[]\t\n "));
}

TEST(JsonDocument, OnlyTabLineFeedReturnAndSpaceAreWhitespace) {
  EXPECT_FALSE(Parse(u"\v[]"));
  EXPECT_FALSE(Parse(u"[]\f"));
  EXPECT_FALSE(Parse(u"\u00a0[]"));
}

// --- Containers --------------------------------------------------------------

TEST(JsonContainers, EmptyObjectAndArrayAlsoWithBlanksInside) {
  for (const auto* text : {u"{}", u"{ }", u"{\r\n\t }"}) {
    const auto value = JsonParse(text);
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->IsObject());
    EXPECT_TRUE(value->AsObject().empty());
  }
  for (const auto* text : {u"[]", u"[ ]", u"[\n\t ]"}) {
    const auto value = JsonParse(text);
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->IsArray());
    EXPECT_TRUE(value->AsArray().empty());
  }
}

TEST(JsonContainers, TrailingCommaFails) {
  EXPECT_FALSE(Parse(u"[1,]"));
  EXPECT_FALSE(Parse(u"[1, ]"));
  EXPECT_FALSE(Parse(u"{\"a\":1,}"));
  EXPECT_FALSE(Parse(u"{\"a\":1, }"));
  EXPECT_FALSE(Parse(u"[,]"));
  EXPECT_FALSE(Parse(u"[,1]"));
}

TEST(JsonContainers, UnfinishedContainersFail) {
  for (const auto* text : {u"[", u"[1", u"[1,", u"{", u"{\"a\"", u"{\"a\":", u"{\"a\":1",
                           u"{\"a\" 1}", u"[1 2]", u"{\"a\":1 \"b\":2}", u"[}", u"{]"}) {
    EXPECT_FALSE(JsonParse(text)) << std::string(text,
                                                 text + std::char_traits<char16_t>::length(text));
  }
}

TEST(JsonContainers, ArrayKeepsDocumentOrderOfMixedValues) {
  const auto value = Parse(u"[\"x\", 2, true, null, [1], {\"k\":\"v\"}, -3.5]");
  ASSERT_TRUE(value);
  const JSONArray& elements = value->AsArray();
  ASSERT_EQ(elements.size(), 7u);
  EXPECT_EQ(elements[0]->AsString(), u"x");
  EXPECT_EQ(elements[1]->AsNumber(), 2.0);
  EXPECT_TRUE(elements[2]->IsBoolean() && elements[2]->AsBoolean());
  EXPECT_TRUE(elements[3]->IsNull());
  EXPECT_EQ(elements[4]->AsArray().size(), 1u);
  EXPECT_EQ(StringField(elements[5]->AsObject(), u"k"), "v");
  EXPECT_EQ(elements[6]->AsNumber(), -3.5);
  EXPECT_EQ(static_cast<int>(elements[5]->Kind()), 5);
  EXPECT_EQ(static_cast<int>(elements[0]->Kind()), 1);
}

TEST(JsonContainers, ObjectMembersAreKeptInKeyOrderNotDocumentOrder) {
  const auto value = Parse(u"{\"zeta\":\"1\",\"Alpha\":\"2\",\"alpha\":\"3\",\"\u00e9\":\"4\"}");
  ASSERT_TRUE(value);
  std::u16string keys;
  for (const auto& [key, member] : value->AsObject()) keys += key + u"|";
  // Ordinal over code units: 'A' < 'a' < 'z' < U+00E9.
  EXPECT_EQ(keys, u"Alpha|alpha|zeta|\u00e9|");
}

TEST(JsonContainers, DuplicateKeysTheLastValueRemains) {
  const auto value = Parse(u"{\"v\":\"first\",\"w\":[1,2],\"v\":{\"deep\":[1]},\"v\":\"last\"}");
  ASSERT_TRUE(value);
  const JSONObject& members = value->AsObject();
  EXPECT_EQ(members.size(), 2u);
  EXPECT_EQ(StringField(members, u"v"), "last");
}

TEST(JsonContainers, KeyOpeningCharacterIsNotChecked) {
  // x stands where the opening quote belongs: the key is the empty text before the quote.
  const auto value = Parse(u"{x\":1}");
  ASSERT_TRUE(value);
  const JSONObject& members = value->AsObject();
  ASSERT_EQ(members.size(), 1u);
  ASSERT_TRUE(members.contains(u""));
  EXPECT_EQ(members.at(u"")->AsNumber(), 1.0);
}

TEST(JsonContainers, KeysInSingleQuotesFailBecauseTheKeyRunsToTheEnd) {
  EXPECT_FALSE(Parse(u"{'a':1}"));
  EXPECT_FALSE(Parse(u"{'a':\"b\"}"));
}

// --- Literals --------------------------------------------------------------

TEST(JsonLiterals, CaseIsIgnored) {
  for (const auto* text : {u"true", u"TRUE", u"True", u"tRuE"}) {
    const auto value = JsonParse(text);
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->IsBoolean());
    EXPECT_TRUE(value->AsBoolean());
  }
  for (const auto* text : {u"false", u"False", u"fAlSe", u"FALSE"}) {
    const auto value = JsonParse(text);
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->IsBoolean());
    EXPECT_FALSE(value->AsBoolean());
  }
  for (const auto* text : {u"null", u"NULL", u"Null"}) {
    const auto value = JsonParse(text);
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->IsNull());
  }
  const auto inArray = Parse(u"[TRUE,NULL,False]");
  ASSERT_TRUE(inArray);
  EXPECT_EQ(inArray->AsArray().size(), 3u);
}

TEST(JsonLiterals, ShortOrMisspelledLiteralsFail) {
  for (const auto* text : {u"tru", u"fals", u"nul", u"t", u"truth", u"nil", u"[tru]", u"True1"}) {
    EXPECT_FALSE(JsonParse(text));
  }
}

// --- Numbers ---------------------------------------------------------------

TEST(JsonNumbers, FractionsExponentsAndSigns) {
  EXPECT_EQ(NumberOf(u"1.5e2"), 150.0);
  EXPECT_EQ(NumberOf(u"0"), 0.0);
  EXPECT_EQ(NumberOf(u"123"), 123.0);
  EXPECT_EQ(NumberOf(u"-12"), -12.0);
  EXPECT_EQ(NumberOf(u"2E+3"), 2000.0);
  EXPECT_DOUBLE_EQ(NumberOf(u"25e-1"), 2.5);
  EXPECT_DOUBLE_EQ(NumberOf(u"0.25"), 0.25);
  EXPECT_EQ(NumberOf(u"1e0"), 1.0);
}

TEST(JsonNumbers, MinusZeroIsNegativeZero) {
  const double zero = NumberOf(u"-0");
  EXPECT_EQ(zero, 0.0);
  EXPECT_TRUE(std::signbit(zero));
  EXPECT_FALSE(std::signbit(NumberOf(u"0")));
}

TEST(JsonNumbers, MalformedNumbersFail) {
  EXPECT_FALSE(Parse(u"2."));
  EXPECT_FALSE(Parse(u"-"));
  EXPECT_FALSE(Parse(u"-a"));
  EXPECT_FALSE(Parse(u"05"));  // the 5 is left over
  EXPECT_FALSE(Parse(u"01"));
  EXPECT_FALSE(Parse(u"[01]"));
  EXPECT_FALSE(Parse(u"1e"));
  EXPECT_FALSE(Parse(u"1e+"));
  EXPECT_FALSE(Parse(u".5"));
  EXPECT_FALSE(Parse(u"+1"));
  EXPECT_FALSE(Parse(u"1.e3"));
}

TEST(JsonNumbers, HugeExponentsEndQuicklyAtInfinityOrZero) {
  EXPECT_TRUE(std::isinf(NumberOf(u"1e999999999999")));
  EXPECT_EQ(NumberOf(u"1e-999999999999"), 0.0);
  EXPECT_EQ(NumberOf(u"0e999999999999"), 0.0);
  EXPECT_TRUE(std::isinf(NumberOf(std::u16string(400, u'9'))));
}

// --- Strings ---------------------------------------------------------------

TEST(JsonStrings, EscapesGiveTheirCharacters) {
  const auto value = Parse(u"\"q\\\" s\\/ b\\\\ \\b\\f\\n\\r\\t\"");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->AsString(), u"q\" s/ b\\ \b\f\n\r\t");
  EXPECT_FALSE(Parse(u"\"\\x\""));
  EXPECT_FALSE(Parse(u"\"\\'\""));
  EXPECT_FALSE(Parse(u"\"\\"));
}

TEST(JsonStrings, RawLineFeedFailsRawTabIsAccepted) {
  EXPECT_FALSE(Parse(u"\"a\nb\""));
  EXPECT_FALSE(Parse(u"\"a\rb\""));
  EXPECT_FALSE(Parse(std::u16string(u"\"a") + char16_t{0x1F} + u"\""));
  const auto tab = Parse(u"\"a\tb\"");
  ASSERT_TRUE(tab);
  EXPECT_EQ(tab->AsString(), u"a\tb");
}

TEST(JsonStrings, UnicodeEscapesGiveSingleUnits) {
  const auto a = Parse(u"\"\\u0041\"");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->AsString(), u"A");
  const auto e = Parse(u"\"\\u00e9\"");
  ASSERT_TRUE(e);
  EXPECT_EQ(e->AsString(), u"\u00e9");
  EXPECT_EQ(e->AsString().size(), 1u);
  const auto upper = Parse(u"\"\\u00E9\\u042f\"");
  ASSERT_TRUE(upper);
  EXPECT_EQ(upper->AsString(), u"\u00e9\u042f");
  // A surrogate pair stays two units, and a lone surrogate is not checked.
  const auto pair = Parse(u"\"\\ud83d\\ude00\\udc00\"");
  ASSERT_TRUE(pair);
  EXPECT_EQ(pair->AsString(), (std::u16string{0xD83D, 0xDE00, 0xDC00}));
}

TEST(JsonStrings, ShortOrNonHexUnicodeEscapesFail) {
  EXPECT_FALSE(Parse(u"\"\\u00\""));  // two digits, then the closing quote
  EXPECT_FALSE(Parse(u"\"\\u004\""));
  EXPECT_FALSE(Parse(u"\"\\u00g1\""));
  EXPECT_FALSE(Parse(u"\"\\u"));
  EXPECT_FALSE(Parse(u"\"\\u12"));
}

TEST(JsonStrings, UnterminatedStringFails) {
  EXPECT_FALSE(Parse(u"\""));
  EXPECT_FALSE(Parse(u"\"abc"));
  EXPECT_FALSE(Parse(u"[\"abc]"));
}

// --- StringField -----------------------------------------------------------

TEST(JsonStringField, OnlyStringMembersGiveText) {
  const auto value =
      Parse(u"{\"s\":\"7\",\"n\":1200,\"b\":true,\"z\":null,\"a\":[\"x\"],\"o\":{\"x\":\"y\"}}");
  ASSERT_TRUE(value);
  const JSONObject& record = value->AsObject();
  EXPECT_EQ(StringField(record, u"s"), "7");
  for (const auto* key : {u"n", u"b", u"z", u"a", u"o", u"missing"}) {
    EXPECT_EQ(StringField(record, key), "");
  }
}

TEST(JsonStringField, KeepsOnlyTheLowByteOfEachUnit) {
  const auto value = Parse(u"{\"v\":\"\u0441A\u00e9\\u0100\"}");
  ASSERT_TRUE(value);
  const std::string bytes = StringField(value->AsObject(), u"v");
  EXPECT_EQ(bytes, std::string("\x41\x41\xE9\x00", 4));  // U+0441 -> 0x41, U+0100 -> 0x00
}

TEST(JsonAccessors, AWrongKindReadsAsEmpty) {
  const auto number = Parse(u"5");
  ASSERT_TRUE(number);
  EXPECT_TRUE(number->AsString().empty());
  EXPECT_TRUE(number->AsArray().empty());
  EXPECT_TRUE(number->AsObject().empty());
  EXPECT_FALSE(number->AsBoolean());
  const auto text = Parse(u"\"5\"");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->AsNumber(), 0.0);
}

// --- Hostile documents -----------------------------------------------------

TEST(JsonDepth, NestingUpToTheLimitIsAcceptedDeeperIsRefused) {
  EXPECT_TRUE(Parse(Nested(kJsonMaxDepth, u'[', u']')));
  EXPECT_FALSE(Parse(Nested(kJsonMaxDepth + 1, u'[', u']')));
  std::u16string objects;
  for (int i = 0; i < kJsonMaxDepth; ++i) objects += u"{\"k\":";
  objects += u"1";
  objects += std::u16string(kJsonMaxDepth, u'}');
  EXPECT_TRUE(Parse(objects));
  EXPECT_FALSE(Parse(u"[" + objects + u"]"));
}

TEST(JsonDepth, HundredsOfThousandsOfBracketsAreRefusedWithoutExhaustingTheStack) {
  EXPECT_FALSE(Parse(Nested(200000, u'[', u']')));
  EXPECT_FALSE(Parse(std::u16string(200000, u'[')));
  EXPECT_FALSE(Parse(std::u16string(200000, u'{')));
}

TEST(JsonDepth, SiblingsDoNotAddToTheDepth) {
  std::u16string wide = u"[";
  for (int i = 0; i < 2000; ++i) {
    if (i > 0) wide += u',';
    wide += Nested(kJsonMaxDepth - 1, u'[', u']');
  }
  wide += u"]";
  EXPECT_TRUE(Parse(wide));
}

TEST(JsonFailure, AFailureDeepInsideReleasesEverythingBuiltSoFar) {
  // Under LeakSanitizer a leak in any of these fails the test program.
  EXPECT_FALSE(Parse(u"[{\"a\":\"x\",\"b\":[1,2,{\"c\":\"y\"}]},{\"d\":[\"z\", 01]}]"));
  EXPECT_FALSE(Parse(u"{\"a\":{\"b\":{\"c\":[\"long text to own\"]}},\"e\":}"));
  EXPECT_FALSE(Parse(u"[[[[\"unfinished\"]]]"));
}

}  // namespace
