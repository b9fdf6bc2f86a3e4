// A host-name look-up that gives up at a deadline. The C library's resolver
// may wait far longer for a name server; the asynchronous look-up runs on the
// C library's own thread, so an abandoned one never runs code of ours.
#pragma once

#include <netdb.h>

#include <chrono>
#include <memory>
#include <string>

namespace keldar::bus {

struct AddressInfoFree {
  void operator()(addrinfo* info) const { ::freeaddrinfo(info); }
};
using AddressInfo = std::unique_ptr<addrinfo, AddressInfoFree>;

enum class LookupResult { kFound, kNoSuchHost, kTimedOut, kFailed };

// Stream-socket addresses of `host` (a name, or an IPv4 or IPv6 address) at `port`.
LookupResult LookUpHost(const std::string& host, int port,
                        std::chrono::steady_clock::time_point deadline, AddressInfo& found);

}  // namespace keldar::bus
