// One-line readings of the frames on the bus, for the trace: what a request
// asks and what an answer is.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace keldar::bus {

// "SND_NKE a=7", "REQ_UD2 a=7 fcb=1", "SND_UD a=7 ci=51", "selection ci=52", …
std::string ReadRequest(std::span<const std::uint8_t> bytes);
// "E5", "RSP_UD a=7 ci=72", or "garbage" for bytes that make no single frame.
std::string ReadAnswer(std::span<const std::uint8_t> bytes);

}  // namespace keldar::bus
