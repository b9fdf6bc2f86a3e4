#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "online/name_lookup.h"

// One blocking HTTP/1.0 POST over a plain TCP connection; the server closes
// the connection after its answer. No state between calls: any thread may call.
// A name look-up still running at the deadline is left on its own thread.
//
// `host` is "name" or "name:port" (`defaultPort` without one: 80 for the
// program, another for tests that cannot bind 80); it goes into the Host header
// exactly as given. `path` and `body` are sent byte for byte, nothing escaped.
// The request text must fit kRequestBufferBytes with its NUL.
//
// Results:
//   kHttpOk (0)           the exchange ran to its end; `answer` holds the body, or is
//                         empty when the status line's code was not 200, the connection
//                         failed, timed out or closed early, or the body passed kMaxBodyBytes.
//   kHttpNoSocket (-100)  no socket could be made; `answer` untouched.
//   kHttpNoHost (-101)    the name (or its port) did not resolve; `answer` untouched.
//   kHttpRequestTooLong (-102)  the request text would not fit; nothing resolved or
//                         sent, `answer` untouched.
//   kHttpTimedOut (-103)  the whole call's deadline passed (the caller's, or
//                         kExchangeTimeout) before the server closed: `answer` is empty,
//                         never a body cut short.
//
// Time limits, so that a dead or silent server costs the caller a few seconds:
//   kConnectTimeout   a server that never accepts (packets dropped)
//   kSendTimeout      a server that stops reading the request
//   kReceiveTimeout   silence between two receives: an accepted connection that
//                     never answers ends the exchange after this long
//   kHeadTimeout      the whole head, so a server that drips its head a byte at a
//                     time cannot hold the caller
//   kExchangeTimeout  the whole exchange, name look-up and body included
// A time-out between receives behaves like a failed receive (the head or body
// ends there). A refused connection fails at once. The name look-up is bounded
// by the same deadline as the rest (see LookUpBefore).
inline constexpr int kHttpOk = 0;
inline constexpr int kHttpNoSocket = -100;
inline constexpr int kHttpNoHost = -101;
inline constexpr int kHttpRequestTooLong = -102;
inline constexpr int kHttpTimedOut = -103;

namespace http_limits {
inline constexpr std::size_t kRequestBufferBytes = 10000;
inline constexpr std::size_t kBodyBlockBytes = 10239;  // per receive, into a 10240-byte buffer
inline constexpr std::size_t kMaxBodyBytes = 64u * 1024 * 1024;
inline constexpr std::chrono::milliseconds kConnectTimeout{2000};
inline constexpr std::chrono::milliseconds kSendTimeout{2000};
inline constexpr std::chrono::milliseconds kReceiveTimeout{3000};
inline constexpr std::chrono::milliseconds kHeadTimeout{5000};
inline constexpr std::chrono::milliseconds kExchangeTimeout{60000};
}  // namespace http_limits

inline constexpr std::uint16_t kHttpDefaultPort = 80;

// What a caller may add to the fixed limits.
struct HttpOptions {
  std::uint16_t defaultPort = kHttpDefaultPort;
  // The whole call, name look-up included, ends by then at the latest.
  std::optional<std::chrono::steady_clock::time_point> deadline;
  NameLookup lookup;  // empty: the system's
};

int HttpPost(const char* host, const char* path, const char* body, std::string& answer,
             const HttpOptions& options);
int HttpPost(const char* host, const char* path, const char* body, std::string& answer,
             std::uint16_t defaultPort = kHttpDefaultPort);

// The request text as HttpPost sends it, or false when it would not fit
// kRequestBufferBytes including its terminating NUL.
bool FormatHttpRequest(const char* host, const char* path, const char* body, std::string& request);
