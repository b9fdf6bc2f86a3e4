// Why bytes the M-Bus library would not decode are not a telegram, in words a
// user can check against the bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace keldar::cli {

// The first fault of the frame found in order: start byte, length, second
// start byte, missing or extra bytes, check sum, stop byte. A sound frame
// gives the reason its content is refused.
std::string FrameProblem(std::span<const std::uint8_t> bytes);

}  // namespace keldar::cli
