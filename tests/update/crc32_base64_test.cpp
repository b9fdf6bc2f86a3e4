// CRC-32 and base64 against published vectors and against the development
// server's own encoders, which are written independently.
#include <gtest/gtest.h>

#include "codec.h"
#include "online/base64.h"
#include "online/crc32.h"
#include "update_support.h"

namespace {

TEST(Crc32, PublishedCheckValues) {
  EXPECT_EQ(Crc32(std::string_view("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(std::string_view("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
  EXPECT_EQ(Crc32(std::string_view("")), 0u);
  EXPECT_EQ(Crc32(std::string_view("a")), 0xE8B7BE43u);
}

TEST(Crc32, AgreesWithTheServerOverManyLengthsAndInPieces) {
  for (std::size_t length : {1u, 2u, 3u, 255u, 256u, 257u, 4096u, 70000u}) {
    const std::string bytes = Pattern(length, static_cast<unsigned>(length));
    const std::uint32_t whole = Crc32(bytes);
    EXPECT_EQ(whole, devserver::Crc32(bytes)) << length;
    const std::size_t cut = length / 3;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(Crc32Update(Crc32(std::span(data, cut)), std::span(data + cut, length - cut)), whole)
        << length;
  }
}

TEST(Crc32, FileChecksReadTheWholeFile) {
  TemporaryFolder folder;
  // Larger than one read block, so the pieces must join up.
  const std::string bytes = Pattern(200000, 7);
  WriteBytes(folder.Path() / "big.bin", bytes);
  EXPECT_EQ(FileCrc32(folder.Path() / "big.bin"), devserver::Crc32(bytes));
  WriteBytes(folder.Path() / "empty.bin", "");
  EXPECT_EQ(FileCrc32(folder.Path() / "empty.bin"), 0u);
}

TEST(Crc32, AMissingFileOrAFolderGivesZero) {
  TemporaryFolder folder;
  EXPECT_EQ(FileCrc32(folder.Path() / "missing.bin"), 0u);
  EXPECT_EQ(FileCrc32(folder.Path()), 0u);
}

TEST(Base64, Rfc4648Vectors) {
  EXPECT_EQ(Base64Decode(""), "");
  EXPECT_EQ(Base64Decode("Zg=="), "f");
  EXPECT_EQ(Base64Decode("Zm8="), "fo");
  EXPECT_EQ(Base64Decode("Zm9v"), "foo");
  EXPECT_EQ(Base64Decode("Zm9vYg=="), "foob");
  EXPECT_EQ(Base64Decode("Zm9vYmE="), "fooba");
  EXPECT_EQ(Base64Decode("Zm9vYmFy"), "foobar");
}

TEST(Base64, AFinalGroupOfTwoOrThreeSymbolsGivesOneOrTwoBytesOneSymbolNothing) {
  EXPECT_EQ(Base64Decode("Zg"), "f");
  EXPECT_EQ(Base64Decode("Zm8"), "fo");
  EXPECT_EQ(Base64Decode("Zm9vY"), "foo");
  EXPECT_EQ(Base64Decode("Z"), "");
}

TEST(Base64, DecodingStopsAtPaddingOrAnyCharacterOutsideTheAlphabet) {
  EXPECT_EQ(Base64Decode("Zg==Zm9v"), "f") << "nothing after '=' counts";
  EXPECT_EQ(Base64Decode("Zm9v\nYmFy"), "foo") << "a line break ends the data";
  EXPECT_EQ(Base64Decode("Zm9v YmFy"), "foo") << "so does a blank";
  EXPECT_EQ(Base64Decode("Zm9v-_Fy"), "foo") << "the URL-safe symbols are not in the alphabet";
  EXPECT_EQ(Base64Decode(std::string_view("Zm9v\0YmFy", 9)), "foo");
  EXPECT_EQ(Base64Decode("Zm9v\xC3\xA9YmFy"), "foo");
}

TEST(Base64, PlusAndSlashCarryTheirValues) {
  EXPECT_EQ(Base64Decode("+/+/"), std::string("\xFB\xFF\xBF", 3));
}

TEST(Base64, RoundTripsEveryLengthTheServerEncodes) {
  for (std::size_t length = 0; length < 300; ++length) {
    const std::string bytes = Pattern(length, static_cast<unsigned>(length) + 11);
    ASSERT_EQ(Base64Decode(devserver::Base64Encode(bytes)), bytes) << length;
  }
}

}  // namespace
