#include "device/gateway_list.h"

#include <algorithm>
#include <charconv>

#include "base/bus/gateway_address.h"
#include "base/core/ini_file.h"

namespace {
constexpr char kSection[] = "GATEWAYS";
}

std::vector<std::string> RecentGateways(const IniFile& settings) {
  std::vector<std::string> gateways;
  for (std::size_t i = 1; i <= kRememberedGateways; ++i) {
    const auto value = settings.ReadValue(kSection, std::to_string(i).c_str());
    // A hand-edited file may hold anything: only addresses that can be opened.
    if (!value || !mbus::ParseGatewayAddress(*value)) continue;
    if (std::find(gateways.begin(), gateways.end(), *value) == gateways.end())
      gateways.push_back(*value);
  }
  return gateways;
}

void RememberGateway(IniFile& settings, const std::string& path) {
  if (!mbus::ParseGatewayAddress(path)) return;
  std::vector<std::string> gateways = RecentGateways(settings);
  if (!gateways.empty() && gateways.front() == path) return;  // nothing to store
  std::erase(gateways, path);
  gateways.insert(gateways.begin(), path);
  gateways.resize(std::min(gateways.size(), kRememberedGateways));
  for (std::size_t i = 0; i < kRememberedGateways; ++i) {
    const std::string value = i < gateways.size() ? gateways[i] : std::string();
    settings.WriteValue(kSection, std::to_string(i + 1).c_str(), value.c_str());
  }
}

void ApplyAnswerAllowance(const IniFile& settings, const KeldarBusProtocolLibrary* lib,
                          KeldarBusPort* port, const std::string& path) {
  if (port == nullptr || !mbus::IsGatewayPath(path)) return;
  const auto text = settings.ReadValue(kSection, kAnswerAllowanceKey);
  if (!text || text->empty()) return;
  int milliseconds = -1;
  const auto [end, error] =
      std::from_chars(text->data(), text->data() + text->size(), milliseconds);
  if (error != std::errc() || end != text->data() + text->size()) return;
  if (milliseconds < 0 || milliseconds > 5000) return;
  keldar_bus_CProcessComPortSetNetworkAllowance(lib, port, milliseconds);
}
