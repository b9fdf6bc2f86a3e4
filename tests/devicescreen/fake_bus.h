// A scripted M-Bus library for tests: answers each request with the next
// answer queued, records what was sent, and counts the objects it hands out.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "keldar/bus_protocol_types.h"

namespace devicescreen::test {

struct Answer {
  enum class Kind { Silence, Ack, UserData };
  Kind kind = Kind::Silence;
  std::vector<KeldarBusDataInfoBlock> records;
  bool more = false;  // ends with DIF 1F: another telegram follows
  std::uint8_t ci = 0x72;
  std::uint8_t medium = 4;
  std::uint64_t identification = 0x41000001;
  std::string errorText;                // CI 70
  std::optional<std::uint8_t> address;  // the A field; the address asked when not given
  std::chrono::milliseconds delay{};    // how long the read takes

  static Answer Ack() {
    Answer a;
    a.kind = Kind::Ack;
    return a;
  }
  static Answer Silence(std::chrono::milliseconds delay = {}) {
    Answer a;
    a.delay = delay;
    return a;
  }
  static Answer Data(std::vector<KeldarBusDataInfoBlock> records, bool more = false) {
    Answer a;
    a.kind = Kind::UserData;
    a.records = std::move(records);
    a.more = more;
    return a;
  }
};

struct SentRequest {
  std::uint8_t c;
  std::uint8_t a;
};

// One at a time: the library's entries reach the fake through a global.
class FakeBus {
 public:
  FakeBus();
  ~FakeBus();
  FakeBus(const FakeBus&) = delete;
  FakeBus& operator=(const FakeBus&) = delete;

  const KeldarBusProtocolLibrary* Library() const { return &lib_; }
  KeldarBusPort* Port() const { return reinterpret_cast<KeldarBusPort*>(&portToken_); }

  void Queue(Answer answer);
  // What answers a request when nothing is queued (silence at once by default).
  void SetDefault(Answer answer);
  void SetPortUsable(bool usable);
  // Runs on the reading thread before each answer is taken.
  void OnRead(std::function<void()> hook);
  // Holds every read until released (or for at most five seconds), so a test
  // sees the screen while its read is surely under way.
  void HoldReads();
  void ReleaseReads();

  std::vector<SentRequest> Sent() const;
  int LiveObjects() const;  // telegrams and buffers made and not yet deleted

  // Used by the library entries.
  struct State;
  static State& Current();

 private:
  KeldarBusProtocolLibrary lib_{};
  static inline int portToken_ = 0;
};

}  // namespace devicescreen::test
