// CRC-32 and base64, checked against published vectors and against the
// development server's encoders, which are written independently.
#include <gtest/gtest.h>

#include "codec.h"
#include "online/base64.h"
#include "online/crc32.h"
#include "update_support.h"

namespace {

TEST(Crc32, PublishedValuesTheServersValuesAndFiles) {
  EXPECT_EQ(Crc32(std::string_view("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(std::string_view("")), 0u);
  for (std::size_t length : {1u, 255u, 256u, 70000u}) {
    const std::string bytes = Pattern(length, static_cast<unsigned>(length));
    EXPECT_EQ(Crc32(bytes), devserver::Crc32(bytes)) << length;
  }
  ScopedWorkingDirectory folder;
  const std::string big = Pattern(200000, 7);  // more than one read block
  WriteFile("big.bin", big);
  EXPECT_EQ(FileCrc32("big.bin"), devserver::Crc32(big));
  EXPECT_EQ(FileCrc32("missing.bin"), 0u) << "a missing file has CRC 0";
  EXPECT_EQ(FileCrc32("."), 0u);
}

TEST(Base64, DecodesTheRfcVectorsAndShortFinalGroups) {
  EXPECT_EQ(Base64Decode("Zm9vYg=="), "foob");
  EXPECT_EQ(Base64Decode("Zm9vYmE="), "fooba");
  EXPECT_EQ(Base64Decode("Zm9vYmFy"), "foobar");
  EXPECT_EQ(Base64Decode("Zm8"), "fo") << "three symbols give two bytes";
  EXPECT_EQ(Base64Decode("Zg"), "f") << "two symbols give one byte";
  EXPECT_EQ(Base64Decode("Zm9vY"), "foo") << "a single leftover symbol gives nothing";
  EXPECT_EQ(Base64Decode("+/+/"), std::string("\xFB\xFF\xBF", 3));
}

TEST(Base64, StopsAtPaddingOrAnyCharacterOutsideTheAlphabet) {
  using namespace std::string_view_literals;
  for (const auto text : {"Zm9v=YmFy"sv, "Zm9v\nYmFy"sv, "Zm9v YmFy"sv, "Zm9v-YmFy"sv,
                          "Zm9v\0YmFy"sv, "Zm9v\xC3\xA9YmFy"sv})
    EXPECT_EQ(Base64Decode(text), "foo") << text;
}

TEST(Base64, RoundTripsEveryLengthTheServerEncodes) {
  for (std::size_t length = 0; length < 200; ++length) {
    const std::string bytes = Pattern(length, static_cast<unsigned>(length) + 11);
    ASSERT_EQ(Base64Decode(devserver::Base64Encode(bytes)), bytes) << length;
  }
}

}  // namespace
