// A meter no device screen covers opens the configuration screen; what the
// technician types there, and only that, reaches the meter.
#include "walkthrough.h"

namespace {

constexpr int kConnectMs = 90000;
constexpr int kUkrainian = 3;

class ConfigurationWalkthrough : public Walkthrough {
 protected:
  std::string Text(const std::string& key) { return Phrase(S().WorkingFolder(), key, kUkrainian); }
  std::string Meter(const std::string& field) { return S().MeterState().at(0).at(field); }
};

TEST_F(ConfigurationWalkthrough, WaterMeterTypeSerialAndAddresses) {
  const std::string port = S().StartSimulator({"krv_water_7.ini"});
  S().WriteFile("config.ini", SettingsFile(kUkrainian));
  S().StartProgram(port);
  TypeAddress("10");
  S().Step("address 10");
  S().Click("PanelButtonConnect");
  // One device: its screen opens at once, with the addresses the meter reports.
  S().WaitFor(
      "the configuration screen with the meter's addresses",
      [](const WindowMap& m) {
        const ScreenWidget* secondary = m.Find("MaskEditSecondaryAddress");
        return m.Find("ConfigurationDeviceFrame1") != nullptr && secondary != nullptr &&
               secondary->text == "41000101";
      },
      kConnectMs);
  EXPECT_EQ(S().Need("MaskEditPrimaryAddress").text, "010");
  EXPECT_EQ(S().Need("ConfigurationDeviceFrame1/Title").text,
            Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_CONFIGURATION"));
  S().Step("configuration screen");

  // Device type: cold water (22).
  S().Choose("ComboBoxDeviceType", Text("DEVICE_WATER_METER_COLD_WATER"));
  S().Click("ButtonSetDeviceType");
  EXPECT_EQ(AnswerMessageBox("OK"),
            Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_DEVICE_TYPE_CHANGED_SUCCESSFULLY"));
  EXPECT_EQ(Meter("medium"), "22");

  // A serial number with a gap is refused, and nothing goes on the line.
  Retype("MaskEditSerialNumber", "12>45678");
  EXPECT_EQ(S().Need("MaskEditSerialNumber").text, "12_45678");
  const int framesBefore = S().CountInBusLog("M>");
  S().Click("ButtonSetSerialNumber");
  EXPECT_EQ(AnswerMessageBox("OK"),
            Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_HAS_GAP"));
  EXPECT_EQ(S().CountInBusLog("M>"), framesBefore);
  EXPECT_EQ(Meter("fabrication_number"), "41000101");

  Retype("MaskEditSerialNumber", "87654321");
  S().Click("ButtonSetSerialNumber");
  EXPECT_EQ(AnswerMessageBox("OK"),
            Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_SERIAL_NUMBER_CHANGED_SUCCESSFULLY"));
  EXPECT_EQ(Meter("fabrication_number"), "87654321");

  // Both addresses in one press.
  Retype("MaskEditPrimaryAddress", "5");
  Retype("MaskEditSecondaryAddress", "12345678");
  S().Step("addresses typed");
  S().Click("ButtonSetDeviceAdress");
  EXPECT_EQ(AnswerMessageBox("OK"),
            Text("FRAME_PROGRAM_CONFIGURATION_DEVICE_PRIMARY_SECONDARY_ADDRESS_BEEN_CHANGED_"
                 "SUCCESSFULLY"));
  EXPECT_EQ(Meter("primary_address"), "5");
  EXPECT_EQ(Meter("secondary_address"), "12345678");
  // On the wire: the primary address record to address 10, then the
  // secondary one to the new address 5, each byte as typed.
  const std::string log = S().BusLog();
  const auto primary = log.find(" 01 7A 05 ");
  const auto secondary = log.find(" 0C 79 78 56 34 12 ");
  EXPECT_NE(primary, std::string::npos) << log;
  EXPECT_NE(secondary, std::string::npos) << log;
  EXPECT_LT(primary, secondary);
  EXPECT_EQ(S().CountInBusLog(" 01 FD 09 16 "), 1) << "the type, once";
  EXPECT_EQ(S().CountInBusLog(" 0C 78 21 43 65 87 "), 1) << "the serial number, once";
  // Nothing else was written: every other request only asks for a readout (DIF 08).
  int writes = 0;
  for (std::size_t at = log.find("ci=51"); at != std::string::npos; at = log.find("ci=51", at + 1)) {
    const auto line = log.rfind('\n', at) + 1;
    if (log.substr(line, at - line).find(" 51 08 ") == std::string::npos) ++writes;
  }
  EXPECT_EQ(writes, 4) << log;

  S().Click("ConfigurationDeviceFrame1/Back");
  S().Need("PanelButtonConnect");
  S().Step("home again");
}

}  // namespace
