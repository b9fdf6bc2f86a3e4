// A meter behind a network gateway: the technician types the gateway's
// tcp:// address into the port list and connects; the meter opens as it
// does on a serial port, without a speed search.
#include "walkthrough.h"

namespace {

constexpr int kConnectMs = 60000;

class GatewayWalkthrough : public Walkthrough {
 protected:
  // Empties the port list's edit line and types `text` into it.
  void TypePort(const std::string& text) {
    S().Click("ComboBoxSerialPort");
    S().Key("End");
    for (int i = 0; i < 40; ++i) S().Key("BackSpace");
    S().Type(text);
  }
};

TEST_F(GatewayWalkthrough, ATypedGatewayAddressConnectsToTheMeterBehindIt) {
  const std::string gateway = S().StartSimulator({"krv_heat.ini"}, {"--tcp", "0"});
  ASSERT_EQ(gateway.rfind("tcp://127.0.0.1:", 0), 0u) << gateway;
  S().WriteFile("config.ini", SettingsFile(2, 2400));
  S().StartProgram("");
  S().Need("PanelButtonConnect");
  S().Step("home");

  // Without its port the address is marked and refused before anything opens.
  const std::string host = gateway.substr(0, gateway.rfind(':'));
  TypePort(host);
  S().Step("an address without its port");
  S().Click("PanelButtonConnect");
  const std::string refused = AnswerMessageBox("OK");
  EXPECT_NE(refused.find("tcp://"), std::string::npos) << refused;
  EXPECT_EQ(S().BusLog(), "") << "nothing reached the gateway";

  TypePort(gateway);
  EXPECT_EQ(S().Need("ComboBoxSerialPort").text, gateway);
  S().Step("the gateway typed");
  TypeAddress("1");
  S().Click("PanelButtonConnect");
  S().WaitFor(
      "the meter's three device tiles",
      [](const WindowMap& m) { return m.Find("Tile3") != nullptr && m.Find("Tile4") == nullptr; },
      kConnectMs);
  S().Step("three tiles");
  EXPECT_EQ(S().CountInBusLog("    300 M>"), 0) << "no speed search behind a gateway";
  EXPECT_EQ(S().CountInBusLog("ci=BB"), 0) << "the gateway's speed is not changed";
  const std::string settings = S().ReadFile("config.ini");
  EXPECT_NE(settings.find("COM = " + gateway), std::string::npos) << settings;
  EXPECT_NE(settings.find("1 = " + gateway), std::string::npos) << "remembered for the list";
}

}  // namespace
