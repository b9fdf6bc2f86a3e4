// A port that is a network gateway: "tcp://HOST:PORT", the host a name, an
// IPv4 address or an IPv6 address in brackets. Read the same way by the
// M-Bus library, keldar-cli and the connection screen.
#pragma once

#include <cctype>
#include <optional>
#include <string>
#include <string_view>

namespace mbus {

inline constexpr std::string_view kGatewayScheme = "tcp://";

struct GatewayAddress {
  std::string host;  // without brackets
  int port = 0;
};

// Whether `path` is meant as a gateway (it may still be malformed).
inline bool IsGatewayPath(std::string_view path) {
  if (path.size() < kGatewayScheme.size()) return false;
  for (std::size_t i = 0; i < kGatewayScheme.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(path[i])) != kGatewayScheme[i]) return false;
  }
  return true;
}

// The host and port of a well-formed gateway path; nothing otherwise.
inline std::optional<GatewayAddress> ParseGatewayAddress(std::string_view path) {
  if (!IsGatewayPath(path)) return std::nullopt;
  std::string_view rest = path.substr(kGatewayScheme.size());
  std::string_view host;
  std::string_view port;
  if (!rest.empty() && rest.front() == '[') {
    const auto close = rest.find(']');
    if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
      return std::nullopt;
    host = rest.substr(1, close - 1);
    port = rest.substr(close + 2);
    if (host.empty() || host.find_first_not_of("0123456789abcdefABCDEF:.") != host.npos)
      return std::nullopt;
    if (host.find(':') == host.npos) return std::nullopt;  // brackets hold IPv6 only
  } else {
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
    if (host.empty()) return std::nullopt;
    // A name or an IPv4 address: letters, digits, '-' and '.' (an IPv6 address needs brackets).
    for (const char c : host) {
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.') return std::nullopt;
    }
  }
  if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != port.npos)
    return std::nullopt;
  const int number = std::stoi(std::string(port));
  if (number < 1 || number > 65535) return std::nullopt;
  return GatewayAddress{std::string(host), number};
}

}  // namespace mbus
