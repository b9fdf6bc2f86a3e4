// The simulator's meter files: several meters in one file, and mistakes
// that name their section and line.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "meter_file.h"
#include "sim_process.h"

namespace keldar::sim {
namespace {

TEST(SimMeterFile, SeveralMetersWithTheirInputsInFileOrder) {
  const std::string text =
      "[meter]\naddress = 1\nidentification = 41000001\n"
      "[input1]\nidentification = 41000012\nmodel = WS-15 hot\n"
      "; the input of a named meter may stand before it\n"
      "[cold input0]\nidentification = 41000021\n"
      "[meter cold]\naddress = 2\nspeed = 9600\nidentification = 41000020\n"
      "secondary = 41999999\n"
      "[meter hot]\naddress = 2\nidentification = 41000030\n";
  std::string error;
  const auto meters = ParseMeterText(text, error);
  ASSERT_TRUE(meters) << error;
  ASSERT_EQ(meters->size(), 3u);
  const auto& plain = (*meters)[0];
  const auto& cold = (*meters)[1];
  const auto& hot = (*meters)[2];
  EXPECT_EQ(plain.name, "");
  EXPECT_EQ(cold.name, "cold");
  EXPECT_EQ(hot.name, "hot");
  EXPECT_EQ(plain.address, 1);
  EXPECT_EQ(cold.address, 2);
  EXPECT_EQ(cold.speed, 9600);
  EXPECT_EQ(hot.speed, 2400);
  EXPECT_EQ(cold.device.secondary, 0x41999999u);
  EXPECT_EQ(hot.device.secondary, 0x41000030u);  // defaults to its own identification

  EXPECT_FALSE(plain.inputs[0]);
  ASSERT_TRUE(plain.inputs[1]);
  EXPECT_EQ(plain.inputs[1]->identification, 0x41000012u);
  EXPECT_EQ(plain.inputs[1]->model, "WS-15 hot");
  ASSERT_TRUE(cold.inputs[0]);
  EXPECT_EQ(cold.inputs[0]->identification, 0x41000021u);
  EXPECT_FALSE(cold.inputs[1]);
  EXPECT_FALSE(hot.inputs[0] || hot.inputs[1]);
}

TEST(SimMeterFile, MistakesNameTheSectionAndLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"[meter a]\naddress = 1\n\n[meter b]\nadress = 2\n",
       "[meter b] line 5: unknown key: adress"},
      {"[meter a]\naddress = 251\n", "[meter a] line 2: above 250: 251"},
      {"[meter a]\naddress = 1x\n", "[meter a] line 2: not a number: 1x"},
      {"[meter a]\n[a input0]\nmodel = x\naddress = 3\n",
       "[a input0] line 4: unknown key in input section: address"},
      {"[meter a]\n[b input0]\nmodel = x\n", "[b input0] line 2: no meter section for it"},
      {"[meter]\n[input1]\n", ""},  // fine: the plain meter's input
      {"[meter a]\n[input1]\n", "[input1] line 2: no meter section for it"},
      {"[meter a]\naddress = 1\n[meter a]\n", "[meter a] line 3: the section appears twice"},
      {"[meter a]\n[metre b]\n", "[metre b] line 2: unknown section"},
      {"[meter two words]\n", "[meter two words] line 1: unknown section"},
      {"address = 1\n", "line 1: expected key = value in a section"},
      {"; nothing\n", "no [meter] section"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    const auto meters = ParseMeterText(c.text, error);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(meters.has_value(), error.empty());
  }
}

// The test bus the scans run against: what the scan tests rely on.
TEST(SimMeterFile, TheTwentyMeterBus) {
  std::string error;
  const auto meters = LoadMeterFile(bus::test::MeterFile("bus20.ini"), error);
  ASSERT_TRUE(meters) << error;
  ASSERT_EQ(meters->size(), 20u);
  std::set<std::uint32_t> ids;
  std::multiset<int> addresses;
  std::set<int> delays;
  for (const auto& m : *meters) {
    SCOPED_TRACE(m.name);
    EXPECT_EQ(m.speed, 2400);
    EXPECT_FALSE(m.device.model.empty());
    EXPECT_FALSE(m.device.records.empty());
    EXPECT_GE(m.reply_delay_ms, 10);
    EXPECT_LE(m.reply_delay_ms, 40);
    ids.insert(m.device.identification);
    addresses.insert(m.address);
    delays.insert(m.reply_delay_ms);
  }
  EXPECT_EQ(ids.size(), 20u);
  EXPECT_EQ(delays.size(), 20u);
  EXPECT_EQ(addresses.count(60), 2u);
  EXPECT_EQ(addresses.count(0), 1u);
  EXPECT_EQ(std::set<int>(addresses.begin(), addresses.end()).size(), 19u);
  EXPECT_NE((*meters)[0].name.find("bus20.ini:h01"), std::string::npos);
}

}  // namespace
}  // namespace keldar::sim
